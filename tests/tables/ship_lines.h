#pragma once
// Ship lines for the tests, built column by column.

#include <string>

// Columns 0..46 of a ship line, each value distinct: column i holds 100 + i,
// except the manoeuvrability columns 2..4, which hold 0.25, 0.5 and 1.5.
inline std::string shipFixedColumns() {
    std::string line = "100;101;0.25;0.5;1.5;";
    for (int i = 5; i < 47; ++i)
        line += std::to_string(100 + i) + ";";
    return line;
}

// The five tail numbers and the objectId.
inline std::string shipTail(const std::string& objectId) {
    return "901;902;903;904;905;" + objectId + ";";
}
