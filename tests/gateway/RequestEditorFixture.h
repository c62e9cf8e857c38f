// What the tests of the two Modbus request editors share: both tables by name, the saved file as a
// tree, and OK pressed after writing rows into the tables.
#pragma once

#include "app/TableEditorFixture.h"
#include "grid/core/ExtCGrid.h"

namespace tableeditortest
{

// A row with one real column (counted from 1) changed.
inline QStringList With(QStringList row, int real_col, const QString& text)
{
    row[real_col - 1] = text;
    return row;
}

template <class TEditor> class RequestEditorFixture : public TableEditorFixture<TEditor>
{
  protected:
    // The file the editor loads and saves.
    virtual const QString& File() const = 0;

    TExtColumnGrid* Read() { return this->form->ACG_Modbus_Read; }
    TExtColumnGrid* Write() { return this->form->ACG_Modbus_Write; }
    QStringList Saved() { return Xml_Tree(File()); }
    TModalResult Ok_With(const std::vector<QStringList>& reads, const std::vector<QStringList>& writes)
    {
        return this->Show([&] {
            for (size_t i = 0; i < reads.size(); ++i)
                this->Write_Row(Read(), int(i) + 1, reads[i]);
            for (size_t i = 0; i < writes.size(); ++i)
                this->Write_Row(Write(), int(i) + 1, writes[i]);
            this->Click(this->form->Btn_OK);
        });
    }
};

} // namespace tableeditortest
