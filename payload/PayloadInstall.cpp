// Writing the payload into the host folder: the product file beside the
// host, everything else into the OEM folder.
#include <stdio.h>

#include "HostCheck.h"
#include "InstallerApp.h"
#include "PayloadFormat.h"
#include "PayloadTarget.h"
#include "SetupDlg.h"

#define PAYLOAD_RESOURCE_TYPE "EXE_DUMP"
#define OEM_FOLDER "OEM\\"

static bool SystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

BOOL CALLBACK CSetupDlg::EnumPayloadNameProc(HMODULE, LPCSTR, LPSTR name, LONG_PTR param) {
  CSetupDlg* dialog = (CSetupDlg*)param;
  // A longer string name is cut here and then not found: a failed install,
  // never another resource's payload.
  char text[256];
  if (IS_INTRESOURCE(name)) {
    wsprintfA(text, "#%u", (unsigned)(UINT_PTR)name);
  } else {
    lstrcpynA(text, name, sizeof(text));
  }
  dialog->m_arrPayloadNames.Add(text);
  return TRUE;
}

// Every entry lies inside the resource and stays inside the host folder;
// checked before the first byte is written.
static BOOL PayloadIsSound(const void* block, DWORD size) {
  PayloadSummary summary;
  if (PayloadCheck(block, size, &summary) != PAYLOAD_OK) return FALSE;
  PayloadEntry escaping;
  uint32_t index;
  return !PayloadFindEscapingName(block, size, SystemLeadByte, &escaping, &index);
}

static BOOL WriteEntry(const CString& hostDir, const PayloadEntry& entry) {
  CString fullPath = hostDir + CString(entry.name, (int)entry.nameLength);
  CString destination = fullPath;
  PayloadTarget target = PayloadTargetOf(fullPath, fullPath.GetLength(), SystemLeadByte);
  if (target.intoOem) {
    CString folder = fullPath.Left((int)target.split) + OEM_FOLDER;
    CreateDirectoryA(folder, NULL);
    destination = folder + fullPath.Mid((int)target.split);
  }
  FILE* file = fopen(destination, "wb");
  if (!file) return FALSE;
  size_t written = fwrite(entry.data, 1, entry.size, file);
  // A full disk may only show when the buffer is flushed at close.
  int closed = fclose(file);
  return written == entry.size && closed == 0;
}

static int InstallFromResources(CSetupDlg* dialog, const CString& hostDir) {
  HMODULE module = AfxGetResourceHandle();
  if (!EnumResourceNamesA(module, PAYLOAD_RESOURCE_TYPE, CSetupDlg::EnumPayloadNameProc,
                          (LONG_PTR)dialog)) {
    return 0;
  }
  CString name = dialog->m_arrPayloadNames.GetSize() ? dialog->m_arrPayloadNames[0] : CString();
  HRSRC info = FindResourceA(module, name, PAYLOAD_RESOURCE_TYPE);
  if (!info) return 0;
  HGLOBAL loaded = LoadResource(module, info);
  if (!loaded) return 0;
  const void* block = LockResource(loaded);
  if (!block) return 0;
  DWORD size = SizeofResource(module, info);
  if (!PayloadIsSound(block, size)) return 0;

  CPayloadCursor cursor(block, size);
  uint32_t count;
  cursor.ReadCount(&count);
  for (uint32_t i = 0; i < count; i++) {
    PayloadEntry entry;
    cursor.ReadEntry(&entry);
    if (!WriteEntry(hostDir, entry)) return 0;
  }
  return 1;
}

int CSetupDlg::InstallPayload() {
  CWinApp* app = AfxGetApp();
  app->BeginWaitCursor();
  const CString& hostDir = ((CInstallerApp*)app)->m_strHostDir;
  if (!HostCheckForInstall(this, hostDir)) {
    app->EndWaitCursor();
    return -2;
  }
  int result = InstallFromResources(this, hostDir);
  app->EndWaitCursor();
  return result;
}
