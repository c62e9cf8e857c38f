// Result codes of the window system's interface calls, shared by the layer's theme and drag-and-drop
// stand-ins: 0 and positive values succeed, negative ones fail.
#pragma once

#include <cstdint>

using HRESULT = int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = HRESULT(0x80004001u);
constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
constexpr HRESULT E_INVALIDARG = HRESULT(0x80070057u);
constexpr HRESULT E_OUTOFMEMORY = HRESULT(0x8007000Eu);
constexpr HRESULT E_UNEXPECTED = HRESULT(0x8000FFFFu);
inline constexpr bool SUCCEEDED(HRESULT hr)
{
    return hr >= 0;
}
inline constexpr bool FAILED(HRESULT hr)
{
    return hr < 0;
}
