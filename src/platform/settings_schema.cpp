#include "platform/settings_schema.h"

#include "platform/settings.h"

namespace trimora {

namespace {

class StoreAccess : public SettingsAccess {
 public:
  bool Get(const BoolSetting& setting) const override { return Read(setting); }
  std::string Get(const StringSetting& setting) const override { return Read(setting); }
  void Set(const StringSetting& setting, std::string_view value) override { Write(setting, value); }
};

}  // namespace

std::string Read(const StringSetting& setting) {
  return ReadStringSetting(setting.name, setting.fallback);
}

int Read(const IntSetting& setting) {
  return ReadIntSetting(setting.name, setting.fallback.value_or(0));
}

int Read(const IntSetting& setting, int fallback) { return ReadIntSetting(setting.name, fallback); }

bool Read(const BoolSetting& setting) { return ReadBoolSetting(setting.name, setting.fallback); }

void Write(const StringSetting& setting, std::string_view value) {
  WriteStringSetting(setting.name, value);
}

void Write(const IntSetting& setting, int value) { WriteIntSetting(setting.name, value); }

void Write(const BoolSetting& setting, bool value) { WriteBoolSetting(setting.name, value); }

SettingsAccess& StoredSettings() {
  static StoreAccess store;
  return store;
}

}  // namespace trimora
