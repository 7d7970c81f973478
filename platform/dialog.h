// The platform-neutral half of our dialog framework. A dialog object is attached to its host
// when the platform creates the window; the host turns messages into these calls.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/dialog_template.h"
#include "platform/panel_host.h"

class CDialog {
 public:
  explicit CDialog(const DialogTemplate& dialogTemplate) : m_template(&dialogTemplate) {}
  virtual ~CDialog() = default;
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // The template the platform builds the dialog's window from.
  const DialogTemplate& Template() const { return *m_template; }
  int TemplateId() const { return m_template->id; }
  void Attach(IPanelHost* host) { m_host = host; }
  IPanelHost& Host() { return *m_host; }
  bool IsAttached() const { return m_host != nullptr; }

  // Called by the host. Each returns true when the message was handled; false asks for the
  // platform's default processing.
  virtual bool OnInitDialog();
  // Nothing waits in the dialog's message queue, input included. A dialog does here, one short
  // step at a time, what its first input does not need; it returns whether steps remain, and is
  // called again only while the queue stays empty.
  virtual bool OnIdle() { return false; }
  virtual bool PreTranslateMessage(const PlatformMessage& message);
  virtual bool OnCommand(int id, int code);
  virtual bool OnNotify(int id, int code, std::intptr_t* result);
  virtual bool OnTimer(unsigned /*id*/) { return false; }
  virtual bool OnSize(unsigned /*type*/, int /*cx*/, int /*cy*/) { return false; }
  virtual bool OnPaint() { return false; }
  virtual IconHandle OnQueryDragIcon() { return 0; }
  // The dialog now stands on a monitor of `dpi`; `suggested` is the window rectangle the system
  // proposes for it.
  virtual bool OnDpiChanged(int /*dpi*/, const Rect& /*suggested*/) { return false; }
  // The user asked for a shortcut menu over `window` (the dialog or a control): with the mouse at
  // `screen`, or from the keyboard (Shift+F10, the menu key) with no point.
  virtual bool OnContextMenu(WindowHandle /*window*/, std::optional<Point> /*screen*/) {
    return false;
  }

 protected:
  virtual void DoDataExchange() {}
  virtual void OnOK();
  virtual void OnCancel();

 private:
  const DialogTemplate* m_template;
  IPanelHost* m_host = nullptr;
};

// Thin control objects bound to a dialog's controls by DoDataExchange; each call goes to the
// control through the host.
class CBoundControl {
 public:
  void Bind(IPanelHost& host, int id) {
    m_host = &host;
    m_id = id;
  }
  int Id() const { return m_id; }

 protected:
  IPanelHost& Host() const { return *m_host; }

 private:
  IPanelHost* m_host = nullptr;
  int m_id = 0;
};

class CListBox : public CBoundControl {
 public:
  void ResetContent() { Host().ListResetContent(Id()); }
  int InsertString(int row, const std::string& text) {
    return Host().ListInsertString(Id(), row, text);
  }
  void DeleteString(int row) { Host().ListDeleteString(Id(), row); }
  int GetCurSel() const { return Host().ListGetCurSel(Id()); }
  void SetCurSel(int row) { Host().ListSetCurSel(Id(), row); }
  int GetCaretIndex() const { return Host().ListGetCaretIndex(Id()); }
  void SetCaretIndex(int row) { Host().ListSetCaretIndex(Id(), row); }
  int GetCount() const { return Host().ListGetCount(Id()); }
  std::string GetText(int row) const { return Host().ListGetText(Id(), row); }
  int GetTopIndex() const { return Host().ListGetTopIndex(Id()); }
  void SetTopIndex(int index) { Host().ListSetTopIndex(Id(), index); }
  void InitStorage(int items, int bytes) { Host().ListInitStorage(Id(), items, bytes); }
  void SetRedraw(bool redraw) { Host().ListSetRedraw(Id(), redraw); }
};

class CTabCtrl : public CBoundControl {
 public:
  void InsertItem(int index, const std::string& text) { Host().TabInsertItem(Id(), index, text); }
  int GetCurSel() const { return Host().TabGetCurSel(Id()); }
  void SelectAsUser(int index) { Host().TabSelectAsUser(Id(), index); }
};

class CSliderCtrl : public CBoundControl {
 public:
  void SetRangeMin(int minimum, bool redraw) { Host().TrackbarSetRangeMin(Id(), redraw, minimum); }
  void SetRangeMax(int maximum, bool redraw) { Host().TrackbarSetRangeMax(Id(), redraw, maximum); }
  void SetPos(int position) { Host().TrackbarSetPos(Id(), true, position); }
  int GetPos() const { return Host().TrackbarGetPos(Id()); }
};

// The tooltip window is created by the dialog itself, not by the template.
class CToolTipCtrl {
 public:
  void Create(IPanelHost& host) {
    m_host = &host;
    host.TooltipCreate();
  }
  bool IsCreated() const { return m_host != nullptr; }
  void SetTipBkColor(std::uint32_t color) { m_host->TooltipSetBkColor(color); }
  void SetTipTextColor(std::uint32_t color) { m_host->TooltipSetTextColor(color); }
  void AddTool(WindowHandle control, const std::string& text) {
    m_host->TooltipAddTool(control, text);
  }
  void Activate(bool active) { m_host->TooltipActivate(active); }
  void RelayEvent(const PlatformMessage& message) {
    if (m_host) m_host->TooltipRelayEvent(message);
  }

 private:
  IPanelHost* m_host = nullptr;
};
