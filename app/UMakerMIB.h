// The maker's data the agent's MIB module carries (organization, contact and private enterprise
// number), kept together so the real values are one edit away.
#pragma once

namespace maker_mib
{

inline constexpr const char* Organization = "Brivexcorp";
// The number reserved for documentation; the maker's own number replaces it.
inline constexpr int Enterprise_Number = 32473;
inline constexpr const char* Address_Line_1 = "Brivexcorp Technical Support";
inline constexpr const char* Address_Line_2 = "00000 Brivex"; // postal code and town
inline constexpr const char* Country = "Country";
inline constexpr const char* Mail = "support@brivexcorp.example";

} // namespace maker_mib
