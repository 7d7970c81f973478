#include "platform/win32/dialog_template.h"

#include <string_view>
#include <utility>

#include "platform/win32/dialog_face.h"
#include "platform/win32/text.h"
#include "platform/win32/win32.h"

namespace {

constexpr std::uint16_t kOrdinal = 0xFFFF;

class CTemplateWriter {
 public:
  void Word(std::uint32_t value) { m_words.push_back(static_cast<std::uint16_t>(value)); }
  void Dword(std::uint32_t value) {
    Word(value & 0xFFFF);
    Word(value >> 16);
  }
  void Text(std::string_view utf8) {
    for (wchar_t c : Widen(utf8)) Word(static_cast<std::uint16_t>(c));
    Word(0);
  }
  void Ordinal(int id) {
    Word(kOrdinal);
    Word(static_cast<std::uint32_t>(id));
  }
  // Every item starts on a DWORD boundary of the template.
  void AlignDword() {
    if (m_words.size() % 2 != 0) Word(0);
  }
  std::vector<std::uint16_t> Take() { return std::move(m_words); }

 private:
  std::vector<std::uint16_t> m_words;
};

void WriteHeader(CTemplateWriter& out, const DialogTemplate& dialog) {
  out.Word(1);         // dlgVer
  out.Word(kOrdinal);  // signature: the extended template
  out.Dword(0);        // helpID
  out.Dword(dialog.exStyle);
  out.Dword(dialog.style);
  out.Word(static_cast<std::uint32_t>(dialog.controls.size()));
  out.Word(static_cast<std::uint32_t>(dialog.x));
  out.Word(static_cast<std::uint32_t>(dialog.y));
  out.Word(static_cast<std::uint32_t>(dialog.cx));
  out.Word(static_cast<std::uint32_t>(dialog.cy));
  if (dialog.menuId != 0) {
    out.Ordinal(dialog.menuId);
  } else {
    out.Word(0);
  }
  out.Word(0);  // the system dialog class
  out.Text(dialog.caption);
  if (dialog.style & (DS_SETFONT | DS_SHELLFONT)) {
    out.Word(static_cast<std::uint32_t>(dialog.pointSize));
    out.Word(static_cast<std::uint32_t>(dialog.weight));
    out.Word((dialog.italic ? 1u : 0u) | (static_cast<std::uint32_t>(dialog.charset) << 8));
    out.Text(DialogFace(dialog.font));
  }
}

void WriteControl(CTemplateWriter& out, const ControlTemplate& control) {
  out.AlignDword();
  out.Dword(0);  // helpID
  out.Dword(control.exStyle);
  out.Dword(control.style);
  out.Word(static_cast<std::uint32_t>(control.x));
  out.Word(static_cast<std::uint32_t>(control.y));
  out.Word(static_cast<std::uint32_t>(control.cx));
  out.Word(static_cast<std::uint32_t>(control.cy));
  out.Dword(static_cast<std::uint32_t>(control.id));
  out.Text(control.className);
  // An icon static names its icon resource by ordinal; the dialog manager loads it from the
  // instance the dialog is created with.
  if (control.iconResource != 0) {
    out.Ordinal(control.iconResource);
  } else {
    out.Text(control.text);
  }
  out.Word(0);  // no creation data
}

}  // namespace

std::vector<std::uint16_t> BuildDialogTemplate(const DialogTemplate& dialog) {
  CTemplateWriter out;
  WriteHeader(out, dialog);
  for (const ControlTemplate& control : dialog.controls) WriteControl(out, control);
  return out.Take();
}
