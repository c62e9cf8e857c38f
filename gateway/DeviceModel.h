// Fixed identity values of the device model that the description files carry: the EtherCAT vendor
// id, product code and 16 x 14 icon of the ESI file, and the PROFINET vendor and device id of the
// GSDML file. They belong to the maker, not to a project, so they live here and nowhere else.
//
// PLACEHOLDERS: the maker has not supplied the registered values yet. Replace the numbers and the
// icon below with the maker's own before an ESI or GSDML file leaves the house; nothing else
// needs to change.
#pragma once

#include <cstdint>

// EtherCAT Technology Group vendor id of the maker (written "#x" + eight hex digits).
inline constexpr uint32_t EtherCAT_Vendor_Id = 0x00000000; // placeholder, to be supplied
// Product code of the converter model (written "#x" + eight hex digits).
inline constexpr uint32_t EtherCAT_Product_Code = 0x00000101; // placeholder, to be supplied

// The 16 x 14 pixel icon as the hex text of a Windows bitmap file (4 bits per pixel).
// Placeholder drawing: a white frame around a blue field with an orange block.
inline constexpr const char* EtherCAT_Icon_Hex =
    "424DE6000000000000007600000028000000100000000E00000001000400000000007000000000000000000000001000"
    "00000000000000000000FFFFFF00A05000000080FF000000000000000000000000000000000000000000000000000000"
    "000000000000000000000000000000000000000000001111111111111111122222222222222112222222222222211222"
    "222222222221122233333333222112223333333322211222333333332221122233333333222112223333333322211222"
    "3333333322211222222222222221122222222222222112222222222222211111111111111111";

// PROFINET vendor id and device id of the DeviceIdentity element (written "0x" + four hex digits).
inline constexpr uint16_t Profinet_Vendor_Id = 0x0000; // placeholder, to be supplied
inline constexpr uint16_t Profinet_Device_Id = 0x0001; // placeholder, to be supplied
