// TFTopicTemplate: the small editor of one topic or payload template of the MQTT editor. Its caller
// (UMQTT_Set_Topic.h, on a double click in a Template cell) follows this protocol:
//   TopicTemplate := 1 for a template (0 for a topic); Working_Mode, Pub_Sub (0 publish, 1 subscribe)
//   RE_TopicTemplate := the cell's text
//   ShowModal   FormShow titles the form by TopicTemplate, fills the keyword list and focuses the text
//   on mrOk     the cell := RE_TopicTemplate's text, its lines joined by CR LF; Cancel changes nothing
// The text box holds plain text only. The keyword list (ESG_Keywords) shows keywords with their
// descriptions; this build has none, so it holds one empty row. Nothing reads the list back, and
// Working_Mode and Pub_Sub change nothing here. OK and Cancel only carry their modal results.
// One instance, FTopicTemplate, lives from program start to exit.
#pragma once

#include "app/UFormLook.h"

#include <cstdint>

class TExtStringGrid;
class TMemo;

class TFTopicTemplate : public TForm, public TDialogFrame
{
  public:
    explicit TFTopicTemplate(TComponent* AOwner);
    ~TFTopicTemplate() override;

    // Captions from the text table (3800 .. 3808).
    void Set_Lang();
    void FormShow(TObject* Sender);
    // The keyword list: the header row and one row per keyword (keyword editable, description not),
    // or one empty row when there are none.
    void Laod_Keywords();

    TMemo* RE_TopicTemplate;
    TPanel* P_Keywords;
    TLabel* L_List_Keywords;
    TExtStringGrid* ESG_Keywords;
    TFadeButton* Btn_OK;
    TFadeButton* Btn_Cancel;
    int32_t TopicTemplate = 0;
    int32_t Working_Mode = 0;
    int32_t Pub_Sub = 0;

  private:
    void FormCreate();
};

extern TFTopicTemplate* FTopicTemplate;
