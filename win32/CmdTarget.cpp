#include "CmdTarget.h"

#include "WinApp.h"

const AfxMessageMap* CCmdTarget::GetThisMessageMap() {
  static const AfxMessageMapEntry entries[] = {{0, 0, 0, AfxSig_End, 0}};
  static const AfxMessageMap map = {NULL, &entries[0]};
  return &map;
}

const AfxMessageMap* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AfxMessageMapEntry* CCmdTarget::FindEntry(UINT message, UINT code, UINT id) const {
  for (const AfxMessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : NULL) {
    for (const AfxMessageMapEntry* e = map->entries; e->signature != AfxSig_End; e++) {
      if (e->message != message) continue;
      if (message == WM_COMMAND && (e->id != id || e->code != code)) continue;
      return e;
    }
  }
  return NULL;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, UINT code) {
  const AfxMessageMapEntry* e = FindEntry(WM_COMMAND, code, id);
  if (!e) return FALSE;
  (this->*(e->handler))();
  return TRUE;
}

void CCmdTarget::BeginWaitCursor() { AfxGetApp()->DoWaitCursor(1); }
void CCmdTarget::EndWaitCursor() { AfxGetApp()->DoWaitCursor(-1); }
