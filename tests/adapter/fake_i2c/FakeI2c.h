#pragma once

#include <QString>
#include <QStringList>

#include <dlfcn.h>

#include <cstdint>

namespace vcm::test {

/// The fake I2C bus of the preloaded fake_i2c library, as a test steers and watches it. Its controls are
/// looked up in the running process, so a test process without the library preloaded gets none.
class FakeI2c {
  public:
    /// The states the fake node can be in.
    enum class State { Present = 0, Vanished = 1, Denied = 2, NotI2c = 3, SmbusOnly = 4 };

    /// The node the tests use; no real bus has it on a build machine, and the fake shadows it if one did.
    static constexpr const char* node = "/dev/i2c-97";

    /// The controls, or null when the library is not preloaded.
    static const FakeI2c* find() {
        static const FakeI2c controls;
        return controls.powerOn_ != nullptr && controls.setState_ != nullptr &&
                       controls.takeLog_ != nullptr && controls.openHandles_ != nullptr &&
                       controls.dataRegister_ != nullptr && controls.eeprom_ != nullptr
                   ? &controls
                   : nullptr;
    }

    /// The chip at `node` freshly powered on from `eeprom`, on a working bus, with an empty log.
    void powerOn(std::uint8_t eeprom) const { powerOn_(node, eeprom); }
    void setState(State state) const { setState_(static_cast<int>(state)); }
    /// What reached the node since the last look: "open /dev/i2c-97 read-write", "functions",
    /// "transfer write 0x4F [00 7D]", "transfer write 0x4E [00] + read 0x4E 1", "... -> NACK",
    /// "chip: data register 0x7D", "close".
    QStringList takeLog() const { return QString::fromUtf8(takeLog_()).split(u'\n', Qt::SkipEmptyParts); }
    int openHandles() const { return openHandles_(); }
    std::uint8_t dataRegister() const { return dataRegister_(); }
    std::uint8_t eeprom() const { return eeprom_(); }

  private:
    template <class Fn>
    static Fn look(const char* name) {
        return reinterpret_cast<Fn>(dlsym(RTLD_DEFAULT, name));
    }

    using PowerOn = void (*)(const char*, unsigned char);
    using SetState = void (*)(int);
    using TakeLog = const char* (*)();
    using Count = int (*)();
    using Byte = unsigned char (*)();

    PowerOn powerOn_ = look<PowerOn>("fake_i2c_power_on");
    SetState setState_ = look<SetState>("fake_i2c_set_state");
    TakeLog takeLog_ = look<TakeLog>("fake_i2c_take_log");
    Count openHandles_ = look<Count>("fake_i2c_open_handles");
    Byte dataRegister_ = look<Byte>("fake_i2c_data_register");
    Byte eeprom_ = look<Byte>("fake_i2c_eeprom");
};

}  // namespace vcm::test
