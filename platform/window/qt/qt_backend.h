#pragma once

#include <QFont>

#include "platform/window/afx.h"
#include "platform/window/dialog_units.h"
#include "platform/window/window.h"

namespace platform::window {

// The real window, on Qt Widgets.
class QtBackend final : public Backend {
 public:
  // Icons come from the application's resources.
  explicit QtBackend(const ResourceModule& resources);

  int RunModal(const DialogTemplate& dialog, DialogHost& host) override;
  int SystemMetric(int index) const override;

  // Lets a test or a screenshot tool act on each window once it is shown.
  void (*onShown)(void* context, class QDialog& window) = nullptr;
  void* onShownContext = nullptr;

  const ResourceModule& resources() const { return resources_; }

  // The stand-in font for a template's face and the base units it gives.
  static QFont TemplateFont(const DialogTemplate& dialog);
  static BaseUnits FontBaseUnits(const QFont& font);

 private:
  const ResourceModule& resources_;
};

}  // namespace platform::window
