#include "editors/canopen/USet_PDO_Access.h"

#include "app/UFileCommands.h"
#include "editors/canopen/UEDS_Writer.h"

TFSet_PDO_Access* FSet_PDO_Access = nullptr;

namespace
{
// The form that filled the EDS slot, so only it empties it again.
TFSet_PDO_Access* Slot_Form = nullptr;
} // namespace

TFSet_PDO_Access::TFSet_PDO_Access(TComponent* AOwner)
    : TCANopenEditor(AOwner, canopen::PDO_Spec, canopen::PDO_Checks)
{
    FormCreate();
    Slot_Form = this;
    File_Command_Slots().Create_EDS_File = [](const QString& Name) { Create_EDS_File(Name); };
}

TFSet_PDO_Access::~TFSet_PDO_Access()
{
    if (Slot_Form == this) {
        File_Command_Slots().Create_EDS_File = nullptr;
        Slot_Form = nullptr;
    }
    if (FSet_PDO_Access == this)
        FSet_PDO_Access = nullptr;
}
