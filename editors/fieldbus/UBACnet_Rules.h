// The vocabulary of the BACnet client editor (UBACnetAccess.h): object-type, property and data-type
// texts turned into small codes, which combinations may be read or written, how many bytes a value
// takes, the raw destination-address check, and the maps that turn the numeric object types of an
// imported EDE file into the editor's words. Free functions over texts and codes: no grid, no state.
// Every text comparison is made on the trimmed text in upper case.
//
// Codes:
//   object code    1..15 the fifteen standard kinds (NOT the BACnet object type number), 128..1023 a
//                  proprietary object type typed as its number, -1 refused
//   property code  100 Present Value, 1..49 a fixed property of that many bytes, 200 a proprietary
//                  property typed as its number (512..4184303), -1 refused
#pragma once

#include <QString>

namespace bacnetrules
{

enum class TSide { Read, Write };

constexpr int Present_Value = 100;
constexpr int Proprietary_Property = 200;

// Names are tried in table order; a read-only name on the write side falls through to the number test.
int Check_Object_Type(const QString& Text, TSide Side);
// "UNITS (117)" with a multi-state or binary object is refused at once, no later name tried.
int Check_Property(const QString& Text, TSide Side, int Object_Code);
// Write side only: below 0 when refused; 1000 for a property other than Present Value.
int Check_Data_Type(const QString& Text, int Object_Code, int Property_Code);
// The expected data type's display name for Present Value of the object code, else "".
QString Aspected_Data_Type_Value(int Object_Code, int Property_Code);
// Largest byte count of a data type; 255 for a text that is no data type.
int Check_Num_Byte_Max(const QString& Data_Type);

// The raw destination address of a length "M1".."M8": n items 0..255 separated by "," (one trailing
// "," allowed). 0 when accepted, else the refusal's text index: byte value 2082/2083, too many bytes
// 2084/2085, too few (an empty text included) 2088/2089, read/write side.
int Dest_Add_Fault(const QString& Text, int N, TSide Side);
// The row prefix of a refusal: "Error in Read, row " (2037) or "Error in Write, row " (2046).
int Error_Row_Text(TSide Side);
// True when refused, after showing "Error in Read/Write, row " + Row + the refusal in an error box.
bool Check_Dest_Add(const QString& Text, int N, TSide Side, int Row);

// The EDE maps: BACnet object type number to the editor's object-type name ("" when unknown), the
// data type of a written value ("Null" when unknown) and the byte count (4 when unknown).
QString Get_ObjType_EDE(int Object_Type);
QString Get_DataType_EDE(int Object_Type);
int Get_NumByte_EDE(int Object_Type);
// Whether the import takes EDE objects of that type (the types of the maps).
bool EDE_Type_Taken(int Object_Type);

// The byte count the hint of a read row's Property cell shows ("" for none): property codes 1..49
// as themselves; Present Value by the object code.
QString Read_Property_Bytes(const QString& Object_Type, const QString& Property);

} // namespace bacnetrules
