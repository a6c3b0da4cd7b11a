constexpr int kRule = 1;
