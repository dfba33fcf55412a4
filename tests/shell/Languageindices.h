#pragma once
// Every (folder, section, index) that the program's windows ask for, checked against the shipped language
// files.
struct TLanguageIndex {
    const char* Folder;
    const char* Section;
    int Index;
};
inline constexpr TLanguageIndex kLanguageIndices[] = {
    {"", "Message", 4},         {"", "Message", 9},         {"", "Message", 11},
    {"", "Message", 21},        {"", "Message", 22},        {"", "Message", 23},
    {"", "Message", 25},        {"", "Message", 26},        {"", "Message", 27},
    {"", "Message", 28},        {"", "Message", 29},        {"", "Message", 30},
    {"", "Message", 31},        {"", "Message", 32},        {"", "Message", 33},
    {"", "Message", 34},        {"", "Message", 35},        {"", "Message", 36},
    {"", "Message", 37},        {"", "Message", 40},        {"", "Message", 41},
    {"", "Message", 42},        {"", "Message", 43},        {"", "Message", 44},
    {"", "Message", 45},        {"", "Message", 46},        {"", "Message", 47},
    {"", "Message", 49},        {"", "Message", 50},        {"", "Message", 51},
    {"", "Message", 52},        {"", "Message", 53},        {"", "Message", 54},
    {"", "Message", 55},        {"", "Message", 56},        {"", "Message", 57},
    {"", "Message", 59},        {"", "Message", 60},        {"", "Message", 61},
    {"", "Message", 62},        {"", "Message", 63},        {"", "Message", 64},
    {"", "Message", 65},        {"", "Message", 66},        {"", "Message", 90},
    {"", "Common", 11},         {"", "Common", 22},         {"", "Common", 36},
    {"", "Common", 49},         {"", "Common", 80},         {"", "Common", 81},
    {"", "Common", 82},         {"", "Common", 83},         {"", "Common", 84},
    {"", "Common", 85},         {"", "Draw", 69},           {"", "Draw", 70},
    {"", "Repeat", 5},          {"", "Repeat", 6},          {"Textile", "Main", 2},
    {"Textile", "Main", 3},     {"Textile", "Main", 4},     {"Textile", "Main", 5},
    {"Textile", "Main", 6},     {"Textile", "Main", 7},     {"Textile", "Main", 9},
    {"Textile", "Main", 10},    {"Textile", "Main", 11},    {"Textile", "Main", 12},
    {"Textile", "Main", 15},    {"Textile", "Main", 16},    {"Textile", "Main", 17},
    {"Textile", "Main", 18},    {"Textile", "Main", 19},    {"Textile", "Main", 20},
    {"Textile", "Main", 21},    {"Textile", "Main", 22},    {"Textile", "Main", 23},
    {"Textile", "Main", 24},    {"Textile", "Main", 25},    {"Textile", "Main", 26},
    {"Textile", "Main", 27},    {"Textile", "Main", 28},    {"Textile", "Main", 29},
    {"Textile", "Main", 30},    {"Textile", "Main", 31},    {"Textile", "Main", 32},
    {"Textile", "Main", 33},    {"Textile", "Main", 34},    {"Textile", "Main", 35},
    {"Textile", "Main", 36},    {"Textile", "Main", 37},    {"Textile", "Main", 38},
    {"Textile", "Main", 39},    {"Textile", "Main", 40},    {"Textile", "Main", 41},
    {"Textile", "Main", 42},    {"Textile", "Main", 43},    {"Textile", "Main", 44},
    {"Textile", "Main", 45},    {"Textile", "Main", 46},    {"Textile", "Main", 47},
    {"Textile", "Main", 48},    {"Textile", "Main", 49},    {"Textile", "Main", 50},
    {"Textile", "Main", 51},    {"Textile", "Main", 52},    {"Textile", "Main", 53},
    {"Textile", "Main", 54},    {"Textile", "Main", 55},    {"Textile", "Main", 56},
    {"Textile", "Main", 57},    {"Textile", "Main", 58},    {"Carpet", "Carpet", 0},
    {"Carpet", "Carpet", 1},    {"Carpet", "Carpet", 2},    {"Carpet", "Carpet", 3},
    {"Carpet", "Carpet", 4},    {"Carpet", "Carpet", 5},    {"Carpet", "MainImage", 0},
    {"Carpet", "MainImage", 1}, {"Carpet", "MainImage", 2}, {"Carpet", "MainImage", 3},
    {"Carpet", "MainImage", 4}, {"Carpet", "MainImage", 5},
};
