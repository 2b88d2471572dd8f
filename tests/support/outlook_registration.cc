#include "tests/support/outlook_registration.h"

namespace quivra::test {

void RegisterOutlookServer(platform::Registry& registry,
                           const std::string& server_path,
                           platform::RegistryView view) {
  using platform::RegistryKey;
  using platform::RegistryRoot;
  const std::string clsid = "{0006F03A-0000-0000-C000-000000000046}";
  const RegistryKey progid{RegistryRoot::kClassesRoot, "Outlook.Application\\CLSID", view};
  registry.CreateKey(progid);
  registry.WriteString(progid, "", clsid);
  const RegistryKey server{RegistryRoot::kClassesRoot, "CLSID\\" + clsid + "\\LocalServer32", view};
  registry.CreateKey(server);
  registry.WriteString(server, "", server_path);
}

}  // namespace quivra::test
