#include <winsock2.h>
#include <windows.h>

#include <Framework.h>

#include "ServerDialog.h"

#include <cstring>
#include <ctime>

#include "LogEdit.h"
#include "ServerLogText.h"
#include "ServerSettings.h"

namespace {

const UINT_PTR kStatisticsTimer = 100;
const UINT kStatisticsMs = 250;
const char kServerSection[] = "MPEG-Server";
const char kSetupSection[] = "Setup";
const UINT kPlacementSize = 44;  // a WINDOWPLACEMENT on 32-bit Windows
const int kLocalAddressesBuffer = 260;

}  // namespace

IMPLEMENT_DYNAMIC(CServerDialog, CDialog)

BEGIN_MESSAGE_MAP(CServerDialog, CDialog)
ON_BN_CLICKED(IDC_START_STOP, OnStartStop)
ON_EN_CHANGE(IDC_TIMEOUT, OnTimeoutChange)
ON_WM_TIMER()
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_MESSAGE(CServerChannel::kClientDataMessage, OnClientData)
ON_MESSAGE(WM_USER + 4, OnSwitchChannel)
ON_MESSAGE(CServerChannel::kEventMessage, OnChannelEvent)
ON_MESSAGE(CServerChannel::kClientListMessage, OnRefreshClients)
END_MESSAGE_MAP()

CServerDialog::CServerDialog(CWnd* pParent) : CDialog(IDD_SERVER, pParent), m_server(m_hostLink) {}

CServerDialog::~CServerDialog() = default;

void CServerDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_LOG, m_editLog);
  DDX_Text(pDX, IDC_PORT, m_nPort);
  DDX_Check(pDX, IDC_EXPERT, m_bExpert);
  DDX_Text(pDX, IDC_RECEIVED, m_strReceived);
  DDX_Text(pDX, IDC_SENT, m_strSent);
  DDX_Control(pDX, IDC_TIMEOUT_GROUP, m_checkGroup);
  DDX_Text(pDX, IDC_TIMEOUT, m_nTimeout);
  DDX_Text(pDX, IDC_QUEUE_SIZE, m_nQueueSize);
  DDX_Control(pDX, IDC_QUEUE_BAR, m_progressQueue);
  DDX_Check(pDX, IDC_AUTOSTART, m_bAutostartCheck);
  DDX_Control(pDX, IDC_CLIENTS, m_listClients);
}

BOOL CServerDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  SetTimer(kStatisticsTimer, kStatisticsMs);
  m_server.Attach(m_hWnd, m_editLog.m_hWnd);

  m_hIcon = AfxGetApp()->LoadIcon(IDI_LANFEED);
  SetIcon(m_hIcon, TRUE);

  CWinApp* app = AfxGetApp();
  m_nPort = app->GetProfileInt(kServerSection, "Port", 2000);
  m_nTimeout = static_cast<int>(app->GetProfileInt(kServerSection, "Timeout", 100));
  m_bAutostart = static_cast<BOOL>(app->GetProfileInt(kServerSection, "bAutostartServer", 0));
  m_nTimeoutInEffect = m_nTimeout;
  m_bAutostartCheck = m_bAutostart;
  UpdateData(FALSE);

  m_checkGroup.Create();
  m_checkGroup.AddControl(IDC_TIMEOUT_LABEL);
  m_checkGroup.AddControl(IDC_TIMEOUT_UNIT);
  m_checkGroup.AddControl(IDC_TIMEOUT);
  m_checkGroup.SetCheck(static_cast<int>(app->GetProfileInt(kServerSection, "UseTimeout", 0)));

  m_progressQueue.SetRange(0, 250);
  RestorePlacement();
  m_listClients.InsertColumn(0, "IP", LVCFMT_LEFT, 120);
  m_listClients.InsertColumn(1, "Host", LVCFMT_LEFT, 350);
  return TRUE;
}

void CServerDialog::RestorePlacement() {
  LPBYTE data = nullptr;
  UINT size = 0;
  if (AfxGetApp()->GetProfileBinary(kSetupSection, "Placement2", &data, &size) && data) {
    WINDOWPLACEMENT placement;
    std::memset(&placement, 0, sizeof(placement));
    std::memcpy(&placement, data, std::min<UINT>(size, kPlacementSize));
    placement.length = kPlacementSize;
    SetWindowPlacement(&placement);
  }
  delete[] data;
  ShowWindow(SW_HIDE);
}

void CServerDialog::SavePlacement() {
  WINDOWPLACEMENT placement;
  std::memset(&placement, 0, sizeof(placement));
  placement.length = kPlacementSize;
  GetWindowPlacement(&placement);
  AfxGetApp()->WriteProfileBinary(kSetupSection, "Placement2", reinterpret_cast<LPBYTE>(&placement), kPlacementSize);
}

void CServerDialog::SaveSettings() {
  UpdateData(TRUE);
  m_bAutostart = m_bAutostartCheck;
  CWinApp* app = AfxGetApp();
  app->WriteProfileInt(kServerSection, "bAutostartServer", m_bAutostart);
  app->WriteProfileInt(kServerSection, "Port", static_cast<int>(m_nPort));
  app->WriteProfileInt(kServerSection, "Timeout", m_nTimeout);
  app->WriteProfileInt(kServerSection, "UseTimeout", m_checkGroup.GetCheck());
  UpdateData(FALSE);
}

void CServerDialog::Log(const char* text) { AppendLogLine(m_editLog.m_hWnd, text); }

void CServerDialog::FillLocalAddresses() {
  char name[kLocalAddressesBuffer] = {};
  if (gethostname(name, sizeof(name)) != 0) return;
  m_strHostName = name;
  const hostent* host = gethostbyname(name);
  if (!host || !host->h_addr_list || !host->h_addr_list[0] || host->h_length < 4) return;
  std::vector<std::array<uint8_t, 4>> addresses;
  for (char** at = host->h_addr_list; *at; ++at) {
    std::array<uint8_t, 4> address;
    std::memcpy(address.data(), *at, 4);
    addresses.push_back(address);
  }
  std::string text;
  if (FormatLocalAddresses(addresses, kLocalAddressesBuffer, &text))
    m_strLocalAddresses = text.c_str();
  else
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
}

void CServerDialog::ShowRunning(BOOL bRunning) {
  SetDlgItemText(IDC_START_STOP, bRunning ? "Stop Server" : "Start Server");
  if (CWnd* close = GetDlgItem(IDOK)) close->EnableWindow(!bRunning);
}

void CServerDialog::Start() {
  CWaitCursor wait;
  if (!UpdateData(TRUE)) return;  // the prompt names the bad entry
  if (!m_server.Start(m_nPort, m_bExpert)) {
    Log(SocketErrorBlock().c_str());
    return;
  }
  FillLocalAddresses();
  m_strSent = "0";
  m_strReceived = "0";
  m_nQueueSize = m_server.QueueSize();
  UpdateData(FALSE);
  ShowRunning(TRUE);
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  Log(StartBanner(local ? FormatStartTime(*local) : std::string(), static_cast<LPCTSTR>(m_strHostName),
                  static_cast<LPCTSTR>(m_strLocalAddresses), m_nPort)
          .c_str());
  m_server.SetSendLimit(PacketSendLimit(m_checkGroup.GetCheck() == BST_CHECKED, m_nTimeoutInEffect));
  SaveSettings();
}

void CServerDialog::Stop() {
  CWaitCursor wait;
  UpdateData(TRUE);
  m_server.Stop(m_bExpert);
  if (m_server.Channel().IsOpen()) return;
  m_strSent = "0";
  m_strReceived = "0";
  UpdateData(FALSE);
  ShowRunning(FALSE);
  OnRefreshClients(0, 0);
}

void CServerDialog::OnStartStop() {
  if (m_server.IsRunning())
    Stop();
  else
    Start();
}

void CServerDialog::OnOK() {
  SaveSettings();
  SavePlacement();
  EndDialog(IDOK);
}

void CServerDialog::OnCancel() {
  if (m_server.IsRunning()) {
    TakePortEntry();
    m_server.Rearm();
  }
  SaveSettings();
  SavePlacement();
  EndDialog(IDCANCEL);
}

// The default handling would post the Cancel, which arrives after the
// host's exit has destroyed the dialog: the settings are saved at once.
void CServerDialog::OnClose() {
  SavePlacement();
  OnCancel();
}

void CServerDialog::OnDestroy() {
  KillTimer(kStatisticsTimer);
  m_server.Channel().Stop();
  CDialog::OnDestroy();
}

// Listening re-opened after a client left, or at Cancel, takes the port the
// entry shows, as Start does. It is read without the validation prompt (this
// runs on the channel's events): an entry that is no number keeps the port.
void CServerDialog::TakePortEntry() {
  BOOL ok = FALSE;
  const UINT port = GetDlgItemInt(IDC_PORT, &ok, FALSE);
  if (!ok) return;
  m_nPort = port;
  m_server.SetPort(port);
}

// Reads only the Timeout control: a full exchange would raise the validation
// prompt at every keystroke while the Port or Timeout entry is incomplete.
void CServerDialog::OnTimeoutChange() {
  BOOL ok = FALSE;
  const int timeout = static_cast<int>(GetDlgItemInt(IDC_TIMEOUT, &ok, TRUE));
  if (!ok) return;
  m_nTimeout = timeout;
  m_nTimeoutInEffect = timeout;
  m_server.SetSendLimit(PacketSendLimit(m_checkGroup.GetCheck() == BST_CHECKED, m_nTimeoutInEffect));
}

// Updates the statistic controls alone, so that an invalid Port or Timeout
// entry does not raise the validation prompt four times a second.
void CServerDialog::ShowStatistics() {
  m_strSent.Format("%d", m_server.Sent());
  SetDlgItemText(IDC_SENT, m_strSent);
  m_strReceived.Format("%d", m_server.Received());
  SetDlgItemText(IDC_RECEIVED, m_strReceived);
  m_nQueueSize = m_server.QueueSize();
  SetDlgItemInt(IDC_QUEUE_SIZE, static_cast<UINT>(m_nQueueSize), TRUE);
  m_progressQueue.SetPos(m_nQueueSize);
  // The sender reads the limit on every packet; the check box is read here.
  m_server.SetSendLimit(PacketSendLimit(m_checkGroup.GetCheck() == BST_CHECKED, m_nTimeoutInEffect));
}

void CServerDialog::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kStatisticsTimer)
    ShowStatistics();
  else
    CDialog::OnTimer(nIDEvent);
}

LRESULT CServerDialog::OnClientData(WPARAM, LPARAM) { return 0; }

LRESULT CServerDialog::OnSwitchChannel(WPARAM wParam, LPARAM) {
  m_server.SwitchChannel(static_cast<int>(wParam));
  return 0;
}

LRESULT CServerDialog::OnChannelEvent(WPARAM wParam, LPARAM lParam) {
  if (!lParam) return 1;
  if (wParam == CTcpChannel::kConnectionClosed) TakePortEntry();
  m_server.OnChannelEvent(static_cast<int>(wParam));
  return 1;
}

LRESULT CServerDialog::OnRefreshClients(WPARAM, LPARAM) {
  m_listClients.SetRedraw(FALSE);
  m_listClients.DeleteAllItems();
  CServerChannel& channel = m_server.Channel();
  sockaddr_in peer = {};
  if (channel.IsOpen() && channel.IsConnected() && channel.GetPeerName(reinterpret_cast<sockaddr*>(&peer))) {
    std::array<uint8_t, 4> address;
    std::memcpy(address.data(), &peer.sin_addr, 4);
    m_listClients.InsertItem(0, ClientAddressText(address, ntohs(peer.sin_port)).c_str());
    m_listClients.SetItemText(0, 1, "");
  }
  m_listClients.SetRedraw(TRUE);
  m_listClients.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  return 0;
}
