// The system clipboard in the toolkit's shape, over QGuiApplication::clipboard().
//
// Protocol of a writer: Open, Clear, then SetAsText / SetAsHandle per format, Close. Opening always
// succeeds; the formats set between Open and the outermost Close go to the clipboard together, as one
// QMimeData, at that Close. A set outside Open opens and closes around itself.
//
// Formats are those of the drag-and-drop layer (RegisterClipboardFormat gives the same id for the
// same name) and map onto MIME types the same way: Unicode text = "text/plain"; a registered name N =
// application/x-qt-windows-mime;value="N" with the block's exact bytes. Two formats also get a form
// other Linux programs read: "Rich Text Format" (the grid's zero-terminated 16-bit block) also goes
// under "text/rtf" as 8-bit RTF, and "HTML Format" (the envelope) also under "text/html" as the HTML
// part from StartHTML on. Reading "Rich Text Format" when only "text/rtf" is there (another program)
// widens it to the 16-bit zero-terminated form.
#pragma once

#include "platform/controls/OleDragDrop.h"

#include <QString>
#include <memory>

class QMimeData;

class TClipboard
{
  public:
    TClipboard();
    ~TClipboard();
    TClipboard(const TClipboard&) = delete;
    TClipboard& operator=(const TClipboard&) = delete;

    // Nested: only the outermost Close hands the collected formats over.
    void Open();
    void Close();
    // Empties the clipboard (inside Open: the content Close will set).
    void Clear();

    QString AsText() const;
    void SetAsText(const QString& Value);

    bool HasFormat(UINT Format) const;
    // Puts a copy of the block's bytes under the format and frees the block (the clipboard takes
    // it, as on the original platform). Returns the block given.
    HGLOBAL SetAsHandle(UINT Format, HGLOBAL Block);
    // A new block holding the format's bytes, which the caller frees (GlobalFree); nullptr when the
    // clipboard has no such format.
    HGLOBAL GetAsHandle(UINT Format) const;

  private:
    QMimeData* Pending();
    void Flush();

    int FOpenCount = 0;
    std::unique_ptr<QMimeData> FPending;
};

// The process's clipboard object.
TClipboard* Clipboard();

// The registered formats of the clipboard with names of their own.
UINT CF_RICHTEXTFORMAT();
UINT CF_HTMLFORMAT();
