// Byte streams: TStream reads and writes at a position; TMemoryStream keeps its bytes in memory.
#pragma once

#include "platform/core/Classes.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject
{
  public:
    ~TStream() override = default;
    // Reads up to Count bytes at the position and moves past them; returns how many were read.
    virtual int64_t Read(void* Buffer, int64_t Count) = 0;
    // Writes Count bytes at the position (growing the stream) and moves past them.
    virtual int64_t Write(const void* Buffer, int64_t Count) = 0;
    // The new position; it may lie beyond the end.
    virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;
    virtual int64_t Size() const = 0;
    virtual void SetSize(int64_t NewSize) = 0;
    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t Value) { Seek(Value, soBeginning); }
};

class TMemoryStream : public TStream
{
  public:
    int64_t Read(void* Buffer, int64_t Count) override
    {
        const int64_t n = std::clamp<int64_t>(Size() - FPosition, 0, std::max<int64_t>(Count, 0));
        if (n > 0)
            std::memcpy(Buffer, FBytes.data() + FPosition, size_t(n));
        FPosition += n;
        return n;
    }
    int64_t Write(const void* Buffer, int64_t Count) override
    {
        if (Count <= 0)
            return 0;
        if (FPosition + Count > Size())
            FBytes.resize(size_t(FPosition + Count));
        std::memcpy(FBytes.data() + FPosition, Buffer, size_t(Count));
        FPosition += Count;
        return Count;
    }
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override
    {
        const int64_t base = Origin == soBeginning ? 0 : Origin == soCurrent ? FPosition : Size();
        FPosition = std::max<int64_t>(0, base + Offset);
        return FPosition;
    }
    int64_t Size() const override { return int64_t(FBytes.size()); }
    void SetSize(int64_t NewSize) override
    {
        FBytes.resize(size_t(std::max<int64_t>(0, NewSize)));
        FPosition = std::min(FPosition, Size());
    }
    void Clear()
    {
        FBytes.clear();
        FPosition = 0;
    }
    // The bytes, valid until the next write or resize.
    uint8_t* Memory() { return FBytes.data(); }
    const uint8_t* Memory() const { return FBytes.data(); }

  private:
    std::vector<uint8_t> FBytes;
    int64_t FPosition = 0;
};
