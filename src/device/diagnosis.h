#pragma once

#include <string>
#include <string_view>

#include "device/hid_enumerator.h"
#include "device/hid_transport.h"

namespace corvan {

// One line about an opened interface, ending in a line feed:
//   <path>  VendorID=0x0C45 ProductID=0x7C01 UsagePage=0xFF31 InLen=33 OutLen=33 FeatLen=0 family=1
// Identifiers and the usage page in hexadecimal, lengths in decimal; a `family` of
// kNoReceiverFamily reads "family=none".
std::u16string FormatDiagnosisLine(std::u16string_view path, const HidInterfaceFacts& facts,
                                   int family);

// One line about an interface that is listed but cannot be opened.
std::u16string FormatUnopenedLine(std::u16string_view path);

// A line for every interface present, in the order listed. Identification may ask an
// interface for string descriptors; no report is ever sent or requested.
std::u16string DiagnoseInterfaces(HidEnumerator& enumerator);

}  // namespace corvan
