// A records file of many distinct levels, as the game writes it: for the
// storm's huge files and the menu's benchmark.
#pragma once

#include <QByteArray>

namespace testing {

// `count` levels told apart by their first platform's left edge and their
// grey frogs; all have two green frogs, which the storm's own levels have not.
inline QByteArray manyRecords(int count) {
    QByteArray out = "zelk-records 1\n";
    for (int n = 0; n < count; ++n)
        out += "3 1 250 20 80 8520," + QByteArray::number(n % 15210) +
               ",1695,1095,5400,3120,1455,3135,3360,9240,1455,3135,2640,2040,1455,3135,3120,5880,"
               "1455,3135,5520,7560,1455,3135,0,10,2," +
               QByteArray::number(n / 15210) + ",\"2\"\n";
    return out;
}

}  // namespace testing
