// Test support: an object of the class name the grids free cell graphics by, counting its destructions.
#pragma once

#include "platform/core/Classes.h"

namespace gridprobe
{

class TCellGraphic : public TObject
{
  public:
    explicit TCellGraphic(int& Freed) : FFreed(Freed) {}
    ~TCellGraphic() override { ++FFreed; }

  private:
    int& FFreed;
};

} // namespace gridprobe
