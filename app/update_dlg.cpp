#include "app/update_dlg.h"

#include <array>

#include "app/about_dlg.h"
#include "app/resources/resources.h"

using namespace platform::window;

ToolState& GlobalToolState() {
  static ToolState state;
  return state;
}

CUpdateDlg::CUpdateDlg(CWnd* parent) : CUpdateDlg(GlobalToolState(), parent) {}

CUpdateDlg::CUpdateDlg(ToolState& state, CWnd* parent)
    : CDialog(IDD_UPDATE_DIALOG, app::resources::Module(), parent),
      m_hIcon(resources().iconPicture(IDR_MAINFRAME, 32) != nullptr ? IDR_MAINFRAME : 0),
      state_(state) {}

namespace {

using Entry = MessageMapEntry<CUpdateDlg>;

// The dialog's message map, in order; the base dialog's follows it.
const std::array<Entry, 9> kMessageMap{{
    {WM_SYSCOMMAND, 0, 0, &OnSysCommandMessage<CUpdateDlg, &CUpdateDlg::OnSysCommand>},
    {WM_PAINT, 0, 0, &OnMessage<CUpdateDlg, &CUpdateDlg::OnPaint>},
    {WM_QUERYDRAGICON, 0, 0, &OnIconQuery<CUpdateDlg, &CUpdateDlg::OnQueryDragIcon>},
    {WM_COMMAND, BN_CLICKED, IDC_UPDATE, &OnMessage<CUpdateDlg, &CUpdateDlg::OnVersionUp>},
    {WM_COMMAND, BN_CLICKED, IDC_BROWSE, &OnMessage<CUpdateDlg, &CUpdateDlg::OnSelectFile>},
    {WM_COMMAND, BN_CLICKED, IDC_VERSION, &OnMessage<CUpdateDlg, &CUpdateDlg::OnVersionInfo>},
    {WM_COMMAND, EN_KILLFOCUS, IDC_FILENAME,
     &OnMessage<CUpdateDlg, &CUpdateDlg::OnKillFocusFileName>},
    {WM_COMMAND, EN_KILLFOCUS, IDC_ADDRESS,
     &OnMessage<CUpdateDlg, &CUpdateDlg::OnKillFocusAddress>},
    {WM_COMMAND, EN_KILLFOCUS, IDC_PORT, &OnMessage<CUpdateDlg, &CUpdateDlg::OnKillFocusPort>},
}};

}  // namespace

bool CUpdateDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  return DispatchMessageMap<CUpdateDlg>(*this, kMessageMap, message, wParam, lParam, result);
}

void CUpdateDlg::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, IDC_MESSAGE, m_message);
  DDX_Control(dx, IDC_PROGRESS, m_progress);
}

BOOL CUpdateDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (CMenu* menu = GetSystemMenu(FALSE)) {
    std::string about = resources().loadString(IDS_ABOUTBOX);
    if (!about.empty()) {
      menu->AppendMenu(MF_SEPARATOR);
      menu->AppendMenu(MF_STRING, IDM_ABOUTBOX, about.c_str());
    }
  }
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);
  LoadSettings();
  return TRUE;  // focus goes to the first tab stop, the address field
}

void CUpdateDlg::OnSysCommand(UINT id, LPARAM lParam) {
  if ((id & 0xFFF0) == IDM_ABOUTBOX) {
    OnVersionInfo();
    return;
  }
  CDialog::OnSysCommand(id, lParam);
}

void CUpdateDlg::OnPaint() {
  if (!IsIconic()) {
    CDialog::OnPaint();
    return;
  }
  CPaintDC dc(this);
  SendMessage(WM_ICONERASEBKGND, dc.handle(), 0);
  int cxIcon = GetSystemMetrics(SM_CXICON);
  int cyIcon = GetSystemMetrics(SM_CYICON);
  Rect rect;
  GetClientRect(&rect);
  int x = (rect.Width() - cxIcon + 1) / 2;
  int y = (rect.Height() - cyIcon + 1) / 2;
  dc.DrawIcon(x, y, m_hIcon);
}

HICON CUpdateDlg::OnQueryDragIcon() {
  return m_hIcon;
}

void CUpdateDlg::OnVersionInfo() {
  CAboutDlg about;
  about.DoModal();
}

void CUpdateDlg::OnCancel() {
  CloseLink();
  CDialog::OnCancel();
}

void CUpdateDlg::ShowMessage(const char* blank, const char* text) {
  SetDlgItemText(IDC_MESSAGE, blank);
  SetDlgItemText(IDC_MESSAGE, text);
}
