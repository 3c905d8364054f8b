#include "app/updater_command.h"

namespace cdv {

std::wstring UpdaterCommandLine(const UpdaterArguments& args) {
  std::wstring line = args.productId;
  line += L' ';
  line += args.version;
  line += L" \"";
  line += args.windowTitle;
  line += L"\" ";
  line += args.windowClass;
  line += L' ';
  line += args.instanceId;
  line += L' ';
  line += args.instanceId;
  return line;
}

}  // namespace cdv
