// Little-endian appends into a bank buffer of fixed size; a write that would pass the buffer's end
// raises instead of writing.
#pragma once

#include "platform/core/SysUtils.h"

#include <cstdint>
#include <vector>

namespace ConfigImage
{

class TByteWriter
{
  public:
    TByteWriter(std::vector<uint8_t>& buffer, int position) : buf_(buffer), pos_(position) { need(0); }

    void U8(uint32_t v)
    {
        need(1);
        buf_[pos_++] = uint8_t(v);
    }
    void U16(uint32_t v)
    {
        U8(v);
        U8(v >> 8);
    }
    void U32(uint32_t v)
    {
        U16(v);
        U16(v >> 16);
    }
    void Zero(int count)
    {
        need(count);
        for (int i = 0; i < count; ++i)
            buf_[pos_++] = 0;
    }
    void Bytes(const uint8_t* data, int count)
    {
        need(count);
        for (int i = 0; i < count; ++i)
            buf_[pos_++] = data[i];
    }
    int Position() const { return pos_; }

  private:
    void need(int count) const
    {
        if (pos_ < 0 || count < 0 || int64_t(pos_) + count > int64_t(buf_.size()))
            throw Exception("The configuration image does not fit its bank");
    }
    std::vector<uint8_t>& buf_;
    int pos_;
};

} // namespace ConfigImage
