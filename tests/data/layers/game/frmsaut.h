class frmsaut : public tk::Screen {};
