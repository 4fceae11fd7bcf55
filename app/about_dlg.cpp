#include "app/about_dlg.h"

#include "app/resources/resource.h"
#include "app/resources/resources.h"

CAboutDlg::CAboutDlg(platform::window::CWnd* parent)
    : CDialog(IDD_ABOUTBOX, app::resources::Module(), parent) {}
