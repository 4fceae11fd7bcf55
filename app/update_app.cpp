#include "app/update_app.h"

#include "app/update_dlg.h"

platform::window::BOOL CUpdateApp::InitInstance() {
  CUpdateDlg dlg;
  m_pMainWnd = &dlg;
  dlg.DoModal();
  m_pMainWnd = nullptr;
  // FALSE: no message loop of the application's own follows.
  return platform::window::FALSE;
}
