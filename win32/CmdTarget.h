// Message maps: static tables from a message (and for commands a control id
// and notification code) to a member handler, searched from the most derived
// class to its bases.
#pragma once
#include <windows.h>

class CCmdTarget;
typedef void (CCmdTarget::*AfxHandler)();

// How a handler is called and what it returns.
enum AfxSignature {
  AfxSig_End = 0,
  AfxSig_Command,   // void ()          WM_COMMAND from id with code
  AfxSig_Size,      // void (UINT, int, int)
  AfxSig_Key,       // void (UINT, UINT, UINT)   WM_CHAR, WM_KEYDOWN
  AfxSig_DlgCode,   // UINT ()
};

struct AfxMessageMapEntry {
  UINT message;
  UINT code;
  UINT id;
  AfxSignature signature;
  AfxHandler handler;
};

struct AfxMessageMap {
  const AfxMessageMap* (*base)();
  const AfxMessageMapEntry* entries;
};

class CCmdTarget {
 public:
  virtual ~CCmdTarget() {}
  virtual const AfxMessageMap* GetMessageMap() const;

  // The handler of WM_COMMAND (id, code), if any map up the chain has one.
  BOOL OnCmdMsg(UINT id, UINT code);
  const AfxMessageMapEntry* FindEntry(UINT message, UINT code, UINT id) const;

  void BeginWaitCursor();
  void EndWaitCursor();

 protected:
  static const AfxMessageMap* GetThisMessageMap();
};

#define DECLARE_MESSAGE_MAP()                 \
 protected:                                   \
  static const AfxMessageMap* GetThisMessageMap(); \
                                              \
 public:                                      \
  const AfxMessageMap* GetMessageMap() const override;

// The table lives in a function so that each map has its own ThisMessageMapClass.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                              \
  const AfxMessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); }      \
  const AfxMessageMap* theClass::GetThisMessageMap() {                                      \
    using ThisMessageMapClass [[maybe_unused]] = theClass;                                  \
    typedef baseClass ThisMessageMapBase;                                                   \
    static const AfxMessageMapEntry entries[] = {
#define END_MESSAGE_MAP()                                                                \
  {0, 0, 0, AfxSig_End, 0}};                                                             \
  static const AfxMessageMap map = {&ThisMessageMapBase::GetThisMessageMap, &entries[0]}; \
  return &map;                                                                           \
  }

#define AFX_HANDLER(type, fn) reinterpret_cast<AfxHandler>(static_cast<type>(fn))

#define ON_COMMAND(id, fn) \
  {WM_COMMAND, 0, (UINT)(id), AfxSig_Command, AFX_HANDLER(void (CCmdTarget::*)(), &fn)},
#define ON_BN_CLICKED(id, fn)                 \
  {WM_COMMAND, BN_CLICKED, (UINT)(id), AfxSig_Command, \
   AFX_HANDLER(void (CCmdTarget::*)(), &ThisMessageMapClass::fn)},
#define ON_WM_SIZE() \
  {WM_SIZE, 0, 0, AfxSig_Size, AFX_HANDLER(void (CCmdTarget::*)(UINT, int, int), &ThisMessageMapClass::OnSize)},
#define ON_WM_CHAR() \
  {WM_CHAR, 0, 0, AfxSig_Key, AFX_HANDLER(void (CCmdTarget::*)(UINT, UINT, UINT), &ThisMessageMapClass::OnChar)},
#define ON_WM_KEYDOWN()         \
  {WM_KEYDOWN, 0, 0, AfxSig_Key, \
   AFX_HANDLER(void (CCmdTarget::*)(UINT, UINT, UINT), &ThisMessageMapClass::OnKeyDown)},
#define ON_WM_GETDLGCODE()               \
  {WM_GETDLGCODE, 0, 0, AfxSig_DlgCode, \
   AFX_HANDLER(UINT (CCmdTarget::*)(), &ThisMessageMapClass::OnGetDlgCode)},
