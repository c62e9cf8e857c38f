// TFMQTT_Set_Topic: the editor of the MQTT gateway's topics ("Set MQTT Topics"). Two tables of 1024
// topics on tabs: "MQTT Publish" (topics the gateway publishes: QoS, retained flag, the value's type,
// size and position in the internal array, its payload template and when to publish) and "MQTT
// Subscribe" (topics it subscribes to, with where the received value is stored and the template the
// payload follows). Templates hold keywords between two "$"; only the parity of the "$" is checked.
//
// A two-table editor on the shared frame (app/UTableEditor.h), with these departures:
//   FormShow     Working_Mode 1, Byte_IN and Byte_OUT 1500 (the parameters file is not read), both
//                tables back to 1024 rows with their hidden columns hidden again, the publish tab
//                active. Topic, Retained, QoS and Mnemonic are required in a row; the others read
//                "N" (OnChange, OnTimer) or empty when missing. Loaded rows get an empty publish
//                Channel and "N" in Swap and Swap Word, which the file does not hold.
//   the check    every used row (no Enable column); a check whose column is hidden is skipped, but
//                the publish timer check runs whenever OnTimer is "Y"
//   no click     a click on column 0 selects nothing
//   double click the frame's header auto-size, then, when the grid's current cell is in its Template
//                column, the template editor on that cell (Show_Form_Topic, UTopicTemplate.h)
//   OK           <MQTT_Set_Topic><MQTT_Publish><row Topic Retained QoS DataType Dimension Position
//                IPAddress InputTemplate Template OnChange OnTimer Time Mnemonic/>..</MQTT_Publish>
//                <MQTT_Subscribe><row Topic Retained QoS DataType Dimension Position IPAddress Port
//                EthType InputTemplate Template Mnemonic/>..</MQTT_Subscribe></MQTT_Set_Topic>
//                <!--SW_VERSION = 1.001-->
// One instance, FMQTT_Set_Topic, lives from program start to exit.
#pragma once

#include "app/UTableEditor.h"

#include <cstdint>

namespace mqtttopic
{

constexpr int Data_Rows = 1024;
constexpr int32_t Array_Bytes = 1500; // Byte_IN and Byte_OUT
constexpr int Pub_Table = 0, Sub_Table = 1;
// Publish columns.
enum TPubColumn {
    Pub_Topic = 1,
    Pub_Retained,
    Pub_QoS,
    Pub_Data_Type,
    Pub_Dimension,
    Pub_Position,
    Pub_IP_Address,
    Pub_Input_Template,
    Pub_Template,
    Pub_OnChange,
    Pub_OnCMD,
    Pub_OnTimer,
    Pub_Time,
    Pub_Channel,
    Pub_Swap,
    Pub_Swap_Word,
    Pub_Mnemonic,
};
// Subscribe columns.
enum TSubColumn {
    Sub_Topic = 1,
    Sub_Retained,
    Sub_QoS,
    Sub_Data_Type,
    Sub_Dimension,
    Sub_Position,
    Sub_IP_Address,
    Sub_Port,
    Sub_Eth_Type,
    Sub_Input_Template,
    Sub_Template,
    Sub_Swap,
    Sub_Swap_Word,
    Sub_Mnemonic,
};

extern const TEditorSpec Spec;

} // namespace mqtttopic

class TFMQTT_Set_Topic : public TTableEditor
{
  public:
    explicit TFMQTT_Set_Topic(TComponent* AOwner);
    ~TFMQTT_Set_Topic() override;

    void FormShow(TObject* Sender) override;
    bool Controllo_dati() override;
    void ACG_MQTT_DblClickCell(TObject* Sender, int ARow, int ACol);
    void ACG_MQTT_KeyPress(TObject* Sender, char16_t& Key);
    // The template editor on cell (ACol, ARow) of Grid; OK puts its text into the cell.
    void Show_Form_Topic(TExtColumnGrid* Grid, int ARow, int ACol);
    // True when Text holds an odd number of "$".
    static bool Error_In_Topic_Template(const QString& Text);

    TTabSheet* TS_MQTT_Publish;
    TTabSheet* TS_MQTT_Subscribe;
    TExtColumnGrid* ACG_Pub;
    TExtColumnGrid* ACG_Sub;
    int32_t Byte_IN = 0;
    int32_t Byte_OUT = 0;
    int32_t Working_Mode = 0;
    // The copy flags are the frame's, one per table (Table(0).Do_Copy is Do_Copy_Pub).

  protected:
    void Load_Row(TTableView& T, int ARow, QStringList& Texts) override;

  private:
    TExtColumnGrid* Grid_Of(TObject* Sender) const;
    // The checks of one used row; false after showing its fault.
    bool Check_Pub_Row(int ARow);
    bool Check_Sub_Row(int ARow);
};

extern TFMQTT_Set_Topic* FMQTT_Set_Topic;
