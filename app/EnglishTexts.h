// The built-in English texts of the UI text table: one record per index that
// holds a text, in index order; every index not listed holds a single blank. The data is generated
// from the listings and lives in EnglishTexts.cpp.
#pragma once

#include <cstdint>
#include <span>

struct TEnglishText {
    int16_t Index;
    const char16_t* Text;
};

std::span<const TEnglishText> English_Texts();
