// Facts about the platform the program was conceived on, as the layer reports them: one place for
// every version test of the program.
#pragma once

// The Windows version the layer reports (7, "6.1").
constexpr int Win32MajorVersion = 6;
constexpr int Win32MinorVersion = 1;
// The common-controls file version: 6.0, as the toolkit grid's date editors need more than 4.69.
constexpr int ComCtlMajorVersion = 6;
constexpr int ComCtlMinorVersion = 0;
// Whether the kernel library exports the locale functions by name that came with version 6.
constexpr bool KernelHasLocaleNameApi = Win32MajorVersion >= 6;
