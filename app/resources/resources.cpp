#include "app/resources/resources.h"

#include "app/resources/kdxupdt-16.xpm"
#include "app/resources/kdxupdt-32.xpm"
#include "app/resources/resource.h"
#include "platform/text/cp932.h"

namespace app::resources {
namespace {

// Both icon groups hold the same two pictures.
const IconImage kIconImages[2] = {{32, kdxupdt_32}, {16, kdxupdt_16}};

const platform::window::DialogTemplate* FindDialog(int id) {
  if (id == IDD_UPDATE_DIALOG) return &UpdateDialogTemplate();
  if (id == IDD_ABOUTBOX) return &AboutDialogTemplate();
  return nullptr;
}

// The string table holds one string.
std::string LoadString(int id) {
  if (id == IDS_ABOUTBOX) return platform::text::Utf8ToCp932("ﾊﾞｰｼﾞｮﾝ情報(kdxupdt) (&A)...");
  return {};
}

const char* const* IconPicture(int id, int size) {
  const IconImage* group = IconGroup(id);
  if (group == nullptr) return nullptr;
  return size <= 16 ? group[1].xpm : group[0].xpm;
}

}  // namespace

const platform::window::ResourceModule& Module() {
  static const platform::window::ResourceModule module{FindDialog, LoadString, IconPicture};
  return module;
}

const IconImage* IconGroup(int id) {
  return id == IDR_MAINFRAME || id == IDI_ABOUT ? kIconImages : nullptr;
}

const VersionInfo& Version() {
  static const VersionInfo info{
      {1, 0, 0, 0},
      {1, 0, 0, 0},
      "1, 0, 0, 4",
      "1, 0, 0, 4",
      "KDXアップデートツール開発チーム",
      "KDXアップデートツール",
      "kdxupdt",
      "Copyright (C) 2026 KDX update tool team",
      "kdxupdt",
      "KDXアップデートツール",
      "ネットワーク機器のファームウェア更新",
  };
  return info;
}

}  // namespace app::resources
