#include "device/diagnosis.h"

#include <cstddef>
#include <cstdint>
#include <optional>

#include "device/receiver_family.h"

namespace corvan {
namespace {

void AppendAscii(std::u16string& out, std::string_view text) {
  for (char c : text) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
}

void AppendHex16(std::u16string& out, uint16_t value) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  for (int shift = 12; shift >= 0; shift -= 4) {
    out.push_back(static_cast<char16_t>(kDigits[(value >> shift) & 0xF]));
  }
}

void AppendDecimal(std::u16string& out, uint32_t value) {
  const std::u16string::size_type start = out.size();
  do {
    out.insert(out.begin() + static_cast<std::ptrdiff_t>(start),
               static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value != 0);
}

}  // namespace

std::u16string FormatDiagnosisLine(std::u16string_view path, const HidInterfaceFacts& facts,
                                   int family) {
  std::u16string line(path);
  AppendAscii(line, "  VendorID=0x");
  AppendHex16(line, facts.vendorId);
  AppendAscii(line, " ProductID=0x");
  AppendHex16(line, facts.productId);
  AppendAscii(line, " UsagePage=0x");
  AppendHex16(line, facts.usagePage);
  AppendAscii(line, " InLen=");
  AppendDecimal(line, facts.inputLength);
  AppendAscii(line, " OutLen=");
  AppendDecimal(line, facts.outputLength);
  AppendAscii(line, " FeatLen=");
  AppendDecimal(line, facts.featureLength);
  AppendAscii(line, " family=");
  if (family == kNoReceiverFamily) {
    AppendAscii(line, "none");
  } else {
    AppendDecimal(line, static_cast<uint32_t>(family));
  }
  line.push_back(u'\n');
  return line;
}

std::u16string FormatUnopenedLine(std::u16string_view path) {
  std::u16string line(path);
  AppendAscii(line, "  not opened\n");
  return line;
}

std::u16string DiagnoseInterfaces(HidEnumerator& enumerator) {
  std::u16string text;
  for (const std::u16string& path : enumerator.ListInterfacePaths()) {
    std::optional<OpenedHidInterface> opened = enumerator.Open(path);
    if (!opened) {
      text += FormatUnopenedLine(path);
      continue;
    }
    const int family = IdentifyReceiverFamily(*opened->transport, opened->facts);
    text += FormatDiagnosisLine(path, opened->facts, family);
    enumerator.Close(*opened);
  }
  return text;
}

}  // namespace corvan
