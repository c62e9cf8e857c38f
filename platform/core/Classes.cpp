#include "platform/core/Classes.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <cstdlib>
#include <cxxabi.h>
#include <iterator>
#include <memory>
#include <typeinfo>

void Abort()
{
    throw EAbort("Operation aborted");
}

QString TObject::ClassName() const
{
    const char* mangled = typeid(*this).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                     std::free);
    QString name = QString::fromLatin1(status == 0 && demangled ? demangled.get() : mangled);
    const int colons = name.lastIndexOf("::");
    return colons >= 0 ? name.mid(colons + 2) : name;
}

// ---- TPersistent ----------------------------------------------------------------------------------

void TPersistent::Assign(const TPersistent* Source)
{
    if (Source == nullptr)
        AssignError(nullptr);
    Source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* Dest) const
{
    Dest->AssignError(this);
}

void TPersistent::AssignError(const TPersistent* Source) const
{
    const QString from = Source ? Source->ClassName() : QStringLiteral("nil");
    throw EConvertError(QString("Cannot assign a %1 to a %2").arg(from, ClassName()));
}

// ---- TComponent -----------------------------------------------------------------------------------

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    BeforeDestruction();
}

void TComponent::BeforeDestruction()
{
    if (FDestructionStarted)
        return;
    FDestructionStarted = true;
    Destroying();
    // Tell everyone linked by FreeNotification; take each link off first, so an override that
    // does not call the inherited Notification cannot loop.
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        auto& back = other->FFreeNotifies;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner)
        FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int Index) const
{
    if (Index < 0 || Index >= ComponentCount())
        RaiseListIndexError(Index);
    return FComponents[static_cast<size_t>(Index)];
}

int TComponent::ComponentIndex() const
{
    if (!FOwner)
        return -1;
    const auto& list = FOwner->FComponents;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const QString& AName) const
{
    if (AName.isEmpty())
        return nullptr;
    for (TComponent* c : FComponents)
        if (c->FName.compare(AName, Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

static EComponentError DuplicateNameError(const QString& name)
{
    return EComponentError(QString("A component named %1 already exists").arg(name));
}

static bool IsIdentifier(const QString& s)
{
    if (s.isEmpty())
        return false;
    for (int i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
        if (!letter && !(i > 0 && c >= '0' && c <= '9'))
            return false;
    }
    return true;
}

void TComponent::SetName(const QString& NewName)
{
    if (NewName == FName)
        return;
    if (!NewName.isEmpty() && !IsIdentifier(NewName))
        throw EComponentError(QString("'%1' is not a valid component name").arg(NewName));
    if (FOwner) {
        TComponent* other = FOwner->FindComponent(NewName);
        if (other && other != this)
            throw DuplicateNameError(NewName);
    }
    FName = NewName;
}

void TComponent::InsertComponent(TComponent* AComponent)
{
    if (AComponent->FOwner == this)
        return;
    if (AComponent->FOwner)
        AComponent->FOwner->RemoveComponent(AComponent);
    if (!AComponent->FName.isEmpty() && FindComponent(AComponent->FName))
        throw DuplicateNameError(AComponent->FName);
    FComponents.push_back(AComponent);
    ++FListChanges;
    AComponent->FOwner = this;
    // Made while the owner is being built from its description: loading too, until EndLoading.
    if (FComponentState & csLoading)
        AComponent->BeginLoading();
    Notification(AComponent, opInsert);
}

// Searched from the back: components mostly go in reverse order of creation, so this is O(1) then.
static std::vector<TComponent*>::iterator FindOwned(std::vector<TComponent*>& list, TComponent* c)
{
    const auto it = std::find(list.rbegin(), list.rend(), c);
    return it == list.rend() ? list.end() : std::prev(it.base());
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
    if (FindOwned(FComponents, AComponent) == FComponents.end())
        return;
    Notification(AComponent, opRemove);
    // Notification may have changed the list; look again.
    const auto it = FindOwned(FComponents, AComponent);
    if (it != FComponents.end()) {
        FComponents.erase(it);
        ++FListChanges;
    }
    AComponent->FOwner = nullptr;
}

void TComponent::DestroyComponents()
{
    while (!FComponents.empty()) {
        TComponent* doomed = FComponents.back();
        FComponents.pop_back();
        ++FListChanges;
        doomed->FOwner = nullptr;
        delete doomed;
    }
}

void TComponent::Destroying()
{
    if (FComponentState & csDestroying)
        return;
    FComponentState |= csDestroying;
    for (TComponent* c : FComponents)
        c->Destroying();
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (!AComponent || AComponent == this)
        return;
    // Linked also between components of the same owner: the owner's broadcast is off while the
    // owner is being destroyed, and a kept pointer must not outlive its target even then.
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
        FFreeNotifies.push_back(AComponent);
        AComponent->FreeNotification(this);
    }
    FComponentState |= csFreeNotification;
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    auto it = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent);
    if (it == FFreeNotifies.end())
        return;
    FFreeNotifies.erase(it);
    AComponent->RemoveFreeNotification(this);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent)
        RemoveFreeNotification(AComponent);
    if (FComponentState & csDestroying)
        return;
    // Copy: a handler may free components. Only a changed list needs the (linear) look whether
    // the next one is still owned; otherwise this would be quadratic per call.
    const std::vector<TComponent*> owned = FComponents;
    const unsigned changes = FListChanges;
    for (TComponent* c : owned)
        if (FListChanges == changes || std::find(FComponents.begin(), FComponents.end(), c) != FComponents.end())
            c->Notification(AComponent, Operation);
}

void TComponent::Loaded()
{
    FComponentState &= ~static_cast<unsigned>(csLoading);
}

void TComponent::BeginLoading()
{
    FComponentState |= csLoading;
    for (TComponent* c : FComponents)
        c->BeginLoading();
}

void TComponent::EndLoading()
{
    const std::vector<TComponent*> owned = FComponents;
    for (TComponent* c : owned)
        if (c->FComponentState & csLoading)
            c->EndLoading();
    Loaded();
}

// ---- Streams --------------------------------------------------------------------------------------

int64_t TStream::Size()
{
    const int64_t pos = Seek(0, soCurrent);
    const int64_t size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::ReadBuffer(void* Buffer, int64_t Count)
{
    if (Count != 0 && Read(Buffer, Count) != Count)
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int64_t Count)
{
    if (Count != 0 && Write(Buffer, Count) != Count)
        throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream* Source, int64_t Count)
{
    if (Count == 0) {
        Source->SetPosition(0);
        Count = Source->Size();
    }
    const int64_t total = Count;
    std::vector<char> buffer(size_t(std::min<int64_t>(Count, 0xF000)));
    while (Count > 0) {
        const int64_t n = std::min<int64_t>(Count, int64_t(buffer.size()));
        Source->ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        Count -= n;
    }
    return total;
}

int64_t TMemoryStream::Read(void* Buffer, int64_t Count)
{
    const int64_t n = std::clamp<int64_t>(FData.size() - FPosition, 0, std::max<int64_t>(Count, 0));
    if (n > 0)
        std::memcpy(Buffer, FData.constData() + FPosition, size_t(n));
    FPosition += n;
    return n;
}

int64_t TMemoryStream::Write(const void* Buffer, int64_t Count)
{
    if (Count <= 0)
        return 0;
    if (FPosition + Count > FData.size())
        SetSize(FPosition + Count);
    std::memcpy(FData.data() + FPosition, Buffer, size_t(Count));
    FPosition += Count;
    return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
    switch (Origin) {
    case soBeginning:
        FPosition = Offset;
        break;
    case soCurrent:
        FPosition += Offset;
        break;
    case soEnd:
        FPosition = FData.size() + Offset;
        break;
    }
    FPosition = std::max<int64_t>(FPosition, 0);
    return FPosition;
}

void TMemoryStream::SetSize(int64_t NewSize)
{
    const qsizetype old = FData.size();
    FData.resize(qsizetype(std::max<int64_t>(NewSize, 0)));
    if (FData.size() > old)
        std::memset(FData.data() + old, 0, size_t(FData.size() - old));
}

void TMemoryStream::Clear()
{
    FData.clear();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream)
{
    Stream->SetPosition(0);
    const int64_t size = Stream->Size();
    QByteArray data(qsizetype(size), Qt::Uninitialized);
    Stream->ReadBuffer(data.data(), size);
    FData = std::move(data);
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const QString& FileName)
{
    FData = ReadFileBytes(FileName);
    FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream* Stream) const
{
    Stream->WriteBuffer(FData.constData(), FData.size());
}

void TMemoryStream::SaveToFile(const QString& FileName) const
{
    WriteFileAtomic(FileName, FData);
}

bool LoadRCDataResource(const QString& Name, QByteArray& Data)
{
    if (Name.isEmpty())
        return false;
    QFile file(QStringLiteral(":/rcdata/") + Name);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    Data = file.readAll();
    return true;
}

// ---- File stream ----------------------------------------------------------------------------------

TFileStream::TFileStream(const QString& FileName, uint16_t Mode) : FFileName(FileName), FFile(std::make_unique<QFile>(FileName))
{
    if (Mode == fmCreate) {
        if (!FFile->open(QIODevice::ReadWrite | QIODevice::Truncate))
            throw EInOutError(QString("Cannot create file \"%1\". %2").arg(FileName, FFile->errorString()));
        return;
    }
    const uint16_t access = Mode & 0x0003;
    const QIODevice::OpenMode m = access == fmOpenWrite       ? QIODevice::WriteOnly | QIODevice::ExistingOnly
                                  : access == fmOpenReadWrite ? QIODevice::ReadWrite | QIODevice::ExistingOnly
                                                              : QIODevice::ReadOnly;
    if (!QFileInfo(FileName).isFile())
        throw EInOutError(QString("Cannot open file \"%1\". No such file").arg(FileName));
    if (!FFile->open(m))
        throw EInOutError(QString("Cannot open file \"%1\". %2").arg(FileName, FFile->errorString()));
}

TFileStream::~TFileStream() = default;

int64_t TFileStream::Read(void* Buffer, int64_t Count)
{
    if (Count <= 0)
        return 0;
    const qint64 n = FFile->read(static_cast<char*>(Buffer), Count);
    return std::max<qint64>(n, 0);
}

int64_t TFileStream::Write(const void* Buffer, int64_t Count)
{
    if (Count <= 0)
        return 0;
    const qint64 n = FFile->write(static_cast<const char*>(Buffer), Count);
    return std::max<qint64>(n, 0);
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
    int64_t pos = Offset;
    if (Origin == soCurrent)
        pos += FFile->pos();
    else if (Origin == soEnd)
        pos += FFile->size();
    FFile->seek(std::max<int64_t>(pos, 0));
    return FFile->pos();
}

int64_t TFileStream::Size() { return FFile->size(); }

void TFileStream::SetSize(int64_t NewSize)
{
    if (!FFile->resize(std::max<int64_t>(NewSize, 0)))
        throw EWriteError("Stream write error");
}
