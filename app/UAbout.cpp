#include "app/UAbout.h"

#include "app/UGlobals.h"
#include "app/UGlyphs.h"
#include "app/UVersion.h"
#include "platform/controls/Interaction.h"

#include <algorithm>

TFAbout* FAbout = nullptr;

namespace
{

constexpr int kClientWidth = 425, kClientHeight = 148;
constexpr int kLogoSize = 81;
// Fixed codes of this build.
const QString kSoftwareCode = QStringLiteral("RIVA101");
const QString kManualCode = QStringLiteral("MNGW101");

struct TFixedLabel {
    TLabel* TFAbout::*Field;
    const char* Name;
    int Left, Top;
    const char* Caption; // nullptr: set when shown
};
const TFixedLabel kLabels[] = {
    {&TFAbout::Label1, "Label1", 128, 24, "Software Tessilator "},
    {&TFAbout::Label2, "Label2", 128, 39, nullptr},
    {&TFAbout::Label6, "Label6", 128, 62, "Software Code : "},
    {&TFAbout::Label9, "Label9", 240, 62, nullptr},
    {&TFAbout::Label3, "Label3", 128, 77, "Version :"},
    {&TFAbout::Label10, "Label10", 240, 77, nullptr},
    {&TFAbout::Label8, "Label8", 128, 93, "Document Code :"},
    {&TFAbout::Label12, "Label12", 240, 93, nullptr},
    {&TFAbout::Label4, "Label4", 316, 131, nullptr},
};

} // namespace

TFAbout::TFAbout(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FAbout");
    Set_Form_Look(this);
    SetCaption("About...");

    Image2 = new TImage(this);
    Image2->SetName("Image2");
    Image2->SetParent(this);
    Image2->SetBounds(32, 24, kLogoSize, kLogoSize);
    Image2->SetStretch(true);
    Image2->Picture()->Bitmap()->Assign(Maker_Logo(kLogoSize, Form_Color).get());
    Image2->PictureChanged();
    Image2->SetCursor(crHandPoint);
    Image2->OnClick = [this](TObject* Sender) { Label4Click(Sender); };

    for (const TFixedLabel& l : kLabels) {
        TLabel* label = Make_Label(this, this, l.Name, l.Left, l.Top);
        if (l.Caption)
            label->SetCaption(QString::fromUtf8(l.Caption));
        this->*l.Field = label;
    }
    Label1->SetParentFont(false);
    Label1->Font->Assign(Font);
    Label1->Font->Style = fsBold;
    Set_Maker_Link_Look(Label4);
    Label4->OnClick = [this](TObject* Sender) { Label4Click(Sender); };

    FadeButton1 = Make_Button(this, this, "FadeButton1", TButtonRole::Command, 32, 115, 81, 22);
    FadeButton1->SetCaption("OK");
    FadeButton1->SetColorWhenDown(clYellow); // unlike every other button
    FadeButton1->SetGlyph(Shell_Glyph_Pair(TShellGlyph::OK, 14, Form_Color).get()); // two cells
    FadeButton1->SetModalResult(mrOk);

    OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

void TFAbout::FormShow(TObject*)
{
    Label2->SetCaption(Build_SW_Desc);
    Label9->SetCaption(kSoftwareCode);
    Label10->SetCaption(Built_In_Version);
    Label12->SetCaption(kManualCode);
    SetClientWidth(kClientWidth);
    SetClientHeight(kClientHeight);
    // An address longer than the room the box leaves moves left rather than being cut.
    Label4->SetLeft(std::min(316, kClientWidth - 8 - Label4->Width()));
}

void TFAbout::Label4Click(TObject*)
{
    OpenURL(Home_Page_URL());
}
