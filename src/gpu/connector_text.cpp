#include "gpu/connector_text.h"

#include "gpu/nvapi_abi.h"

namespace gpu {

const char* ConnectorText(std::int32_t connectorType) {
  switch (connectorType) {
    case nvapi::kConnectorUninitialized:
    case nvapi::kConnectorUnknown:
      return " / UNKNOWN";
    case nvapi::kConnectorVga:
      return " / VGA";
    case nvapi::kConnectorComponent:
      return " / COMPONENT";
    case nvapi::kConnectorSvideo:
      return " / SVIDEO";
    case nvapi::kConnectorHdmi:
      return " / HDMI";
    case nvapi::kConnectorDvi:
      return " / DVI";
    case nvapi::kConnectorLvds:
      return " / LVDS";
    case nvapi::kConnectorDisplayPort:
      return " / DP";
    case nvapi::kConnectorComposite:
      return " / COMPOSITE";
    default:
      return "";
  }
}

}  // namespace gpu
