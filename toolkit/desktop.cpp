#include "desktop.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QTranslator>
#include <memory>

namespace tk {

PlatformArguments::PlatformArguments(int argc, char** argv) : argv_(argv, argv + argc) {
    asksForX11_ = qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
                  !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
                  !qEnvironmentVariableIsEmpty("DISPLAY");
    if (asksForX11_) {
        argv_.push_back(option_.data());
        argv_.push_back(xcb_.data());
    }
    argc_ = static_cast<int>(argv_.size());
    argv_.push_back(nullptr);
}

void presentToDesktop(const QString& name, const QString& desktopEntry, const QString& iconFolder) {
    QCoreApplication::setApplicationName(name);
    QGuiApplication::setDesktopFileName(desktopEntry);
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral("%1/%2.png").arg(iconFolder).arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    loadFrenchTranslations();
}

bool loadFrenchTranslations() {
    auto qt = std::make_unique<QTranslator>(qApp);
    if (!qt->load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(qt.release());
    return true;
}

void frenchLabels(QMenu& menu) {
    // Qt names the entries in later versions; 6.4 has only their English text.
    static constexpr struct {
        const char* name;
        const char* english;
        const char* french;
    } kLabels[] = {
        {"edit-undo", "&Undo", "&Annuler"},
        {"edit-redo", "&Redo", "&Rétablir"},
        {"edit-cut", "Cu&t", "Co&uper"},
        {"edit-copy", "&Copy", "Cop&ier"},
        {"edit-paste", "&Paste", "Co&ller"},
        {"edit-delete", "Delete", "Supprimer"},
        {"select-all", "Select All", "Tout sélectionner"},
    };
    for (QAction* a : menu.actions()) {
        // The shortcut shown after a tab stays as it is.
        const qsizetype tab = a->text().indexOf(u'\t');
        const QString label = a->text().left(tab),
                      shortcut = tab < 0 ? QString() : a->text().mid(tab);
        for (const auto& l : kLabels) {
            if (a->objectName() == QLatin1String(l.name) || label == QLatin1String(l.english))
                a->setText(QString::fromUtf8(l.french) + shortcut);
        }
    }
}

void frenchContextMenu(QLineEdit& edit) {
    edit.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&edit, &QWidget::customContextMenuRequested, &edit,
                     [e = &edit](const QPoint& at) {
                         std::unique_ptr<QMenu> menu(e->createStandardContextMenu());
                         frenchLabels(*menu);
                         menu->exec(e->mapToGlobal(at));
                     });
}

}  // namespace tk
