// Object model of the toolkit layer: TObject, TPersistent (copying between objects of related
// classes) and TComponent (ownership, names, tags, component state and removal notification).
// Every control, form, timer and menu of the program is a TComponent; forms and the code that
// builds them call this.
#pragma once

#include "platform/core/SysUtils.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TObject;
class TPersistent;
class TComponent;

// The toolkit's notify event: Sender is the object that fired it.
using TNotifyEvent = std::function<void(TObject* Sender)>;

class EComponentError : public Exception { using Exception::Exception; };

// The silent exception: it unwinds to the event boundary like any other, but the application's
// error report shows nothing for it.
class EAbort : public Exception { using Exception::Exception; };
[[noreturn]] void Abort();

// Base of every toolkit object.
class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // Name of the dynamic class ("TFadeButton"), as callers compare class names.
    QString ClassName() const;
};

// An object whose state can be copied from another with Assign.
// Assign(Source) asks Source->AssignTo(this) when this class does not know Source's class;
// when neither side knows the other, EConvertError "Cannot assign a X to a Y" is raised.
class TPersistent : public TObject {
public:
    virtual void Assign(const TPersistent* Source);

protected:
    virtual void AssignTo(TPersistent* Dest) const;
    [[noreturn]] void AssignError(const TPersistent* Source) const;
};

enum TOperation { opInsert, opRemove };

// Component state flags (a set, combined with |).
enum TComponentStateFlag : unsigned {
    csLoading = 1u << 0,
    csReading = 1u << 1,
    csWriting = 1u << 2,
    csDestroying = 1u << 3,
    csDesigning = 1u << 4,
    csUpdating = 1u << 5,
    csFreeNotification = 1u << 6,
};
using TComponentState = unsigned;

// A named object with an owner. The owner destroys the components it owns (last created first).
//
// Removal notification: when a component goes away, Notification(it, opRemove) reaches
//   1. every component that asked for it with FreeNotification (links are kept both ways, so
//      whichever of the two dies first tells the other), then
//   2. its owner, whose Notification passes the news on to all the components it owns
//      (not while the owner itself is being destroyed).
// A component that keeps a pointer to another clears it in Notification.
//
// Loading protocol: BeginLoading() marks the component and everything it owns csLoading while a
// form is being built from its description (components created meanwhile with it as owner are
// loading too); EndLoading() clears the flag and calls Loaded() on the owned components (in creation
// order) and then on the component itself.
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int Index) const;   // raises EListError for a bad index
    int ComponentIndex() const;                // position in the owner's list, -1 without owner
    TComponent* FindComponent(const QString& AName) const;   // case-insensitive, owned ones only

    QString Name() const { return FName; }
    // Raises EComponentError for a name that is not an identifier or is taken by a sibling.
    void SetName(const QString& NewName);

    intptr_t Tag = 0;

    TComponentState ComponentState() const { return FComponentState; }

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    void DestroyComponents();
    // Marks this component and everything it owns csDestroying.
    void Destroying();

    // AComponent is told (Notification opRemove) when this component goes away, and vice versa.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    void BeginLoading();
    // The form designer's state, for code that has a design-time face (and its tests).
    void SetDesigning(bool Value)
    {
        FComponentState = Value ? FComponentState | csDesigning : FComponentState & ~unsigned(csDesigning);
    }
    void EndLoading();

protected:
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    virtual void Loaded();

    // Points a reference field at Value, moving the free notification from the component it held to
    // the new one (so Notification can clear the field); False when it held Value already.
    template <class T> bool ChangeReference(T*& Field, T* Value)
    {
        if (Field == Value)
            return false;
        if (Field)
            Field->RemoveFreeNotification(this);
        Field = Value;
        if (Value)
            Value->FreeNotification(this);
        return true;
    }

    // The start of destruction, while the object is still whole: csDestroying, free notifications,
    // owned components destroyed, removal from the owner. Safe to call more than once; classes that
    // are also widgets call it from their destructor, ~TComponent calls it otherwise.
    void BeforeDestruction();

private:
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    QString FName;
    TComponentState FComponentState = 0;
    bool FDestructionStarted = false;
    unsigned FListChanges = 0;   // bumped on every change of FComponents
};

// Deletes the object and clears the pointer (toolkit idiom).
template <class T> void FreeAndNil(T*& Object)
{
    T* doomed = Object;
    Object = nullptr;
    delete doomed;
}

// ---- Streams ---------------------------------------------------------------------------------------

class EReadError : public Exception { using Exception::Exception; };   // "Stream read error"
class EWriteError : public Exception { using Exception::Exception; };  // "Stream write error"

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

// A sequence of bytes with a position. Read/Write move the position by what they transferred and
// return that count; ReadBuffer/WriteBuffer transfer exactly Count bytes or raise.
class TStream : public TObject {
public:
    virtual int64_t Read(void* Buffer, int64_t Count) = 0;
    virtual int64_t Write(const void* Buffer, int64_t Count) = 0;
    // Returns the new position; a position before the start is clamped to 0.
    virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;
    virtual int64_t Size();
    virtual void SetSize(int64_t NewSize) = 0;

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t Pos) { Seek(Pos, soBeginning); }
    void ReadBuffer(void* Buffer, int64_t Count);
    void WriteBuffer(const void* Buffer, int64_t Count);
    // Copies Count bytes from Source's position; Count 0 copies all of Source from its start.
    int64_t CopyFrom(TStream* Source, int64_t Count);
};

// A stream held in memory (picture bytes, drag-and-drop blocks, the grid's binary cell stream).
class TMemoryStream : public TStream {
public:
    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Write(const void* Buffer, int64_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    int64_t Size() override { return FData.size(); }
    // New bytes are zero; the position stays where it was (it may lie past the end).
    void SetSize(int64_t NewSize) override;

    void Clear();
    char* Memory() { return FData.data(); }
    const char* Memory() const { return FData.constData(); }
    const QByteArray& Bytes() const { return FData; }

    // The whole of Stream from its start; the position ends at 0.
    void LoadFromStream(TStream* Stream);
    // Raises EInOutError naming the file.
    void LoadFromFile(const QString& FileName);
    void SaveToStream(TStream* Stream) const;
    void SaveToFile(const QString& FileName) const;

private:
    QByteArray FData;
    int64_t FPosition = 0;
};

// File modes of TFileStream. The original's sharing flags are accepted and mean nothing here: POSIX
// never denies a second opener.
enum : uint16_t {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFF00,
};

// A stream on a file. fmCreate makes (or empties) the file; the open modes need it to exist. A file
// that cannot be opened raises EInOutError naming it.
class TFileStream : public TStream {
public:
    TFileStream(const QString& FileName, uint16_t Mode);
    ~TFileStream() override;
    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Write(const void* Buffer, int64_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    int64_t Size() override;
    void SetSize(int64_t NewSize) override;
    QString FileName() const { return FFileName; }

private:
    QString FFileName;
    std::unique_ptr<class QFile> FFile;
};

// Raw data resources of the program (the RT_RCDATA resources of the original platform) are Qt
// resources under ":/rcdata/NAME". False, and Data untouched, for a name that does not exist.
bool LoadRCDataResource(const QString& Name, QByteArray& Data);
