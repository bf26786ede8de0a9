#pragma once
// "Devices.db": one INI section per device ("Device" + number), its keys,
// their defaults, and the rules for which sections are devices.
#include "app/ClassTypes.h"
#include "app/DeviceSchema.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TIniFile;

class TDeviceStore {
public:
    enum TReadState { rsMissing, rsValid, rsInvalid };

    explicit TDeviceStore(const std::string& FileName);
    ~TDeviceStore();
    TDeviceStore(const TDeviceStore&) = delete;
    TDeviceStore& operator=(const TDeviceStore&) = delete;

    const std::string& FileName() const;

    // The device sections in ascending device number: "device" (any case)
    // followed by integer text >= 1; of two sections whose names differ
    // only in case the first in the file wins. Other sections are ignored.
    std::vector<std::string> DeviceSections();
    // The device's keys and its channels' keys, each value that is missing
    // or would break the program replaced by its default.
    TDeviceInfo ReadDeviceInfo(const std::string& Section);

    // Typed readers that tell a missing key from one whose text does not
    // convert; Value is left alone unless the state is rsValid.
    TReadState ReadInteger(std::string_view Section, std::string_view Key, int& Value);
    TReadState ReadFloat(std::string_view Section, std::string_view Key, double& Value);
    TReadState ReadBool(std::string_view Section, std::string_view Key, bool& Value);
    std::string ReadString(std::string_view Section, std::string_view Key, const std::string& Default);

    // Writers: a failure is reported once (see TSettingsWriteReporter) and
    // does not raise, so the program keeps working on its in-memory values.
    void WriteString(std::string_view Section, std::string_view Key, std::string_view Value);
    void WriteInteger(std::string_view Section, std::string_view Key, int Value);
    void WriteBool(std::string_view Section, std::string_view Key, bool Value);
    void WriteFloat(std::string_view Section, std::string_view Key, double Value);
    void EraseSection(std::string_view Section);
    // Writes the channel's (0-based) setting Field from Settings under its key.
    void WriteChannelSetting(std::string_view Section, int Channel, const TChannelField& Field,
                             const TChannelInfo& Settings);
    // Writes a new device's section: every device key of Info, and StationId.
    void WriteNewDevice(const TDeviceInfo& Info, int StationId);

    // Keeps the writes made while it lives in memory and writes them in one
    // rewrite of the file when it ends (a failure is reported like any
    // write): for loading, which writes back every key it read.
    class TUpdate {
    public:
        explicit TUpdate(TDeviceStore* Store);
        ~TUpdate();
        TUpdate(const TUpdate&) = delete;
        TUpdate& operator=(const TUpdate&) = delete;

    private:
        TDeviceStore* FStore;
    };

    // The device number of a section name, false when it is not a device section.
    static bool DeviceNumber(std::string_view Section, int& Number);
    // Negative, zero or positive as a's device number is below, equal to or
    // above b's.
    static int CompareDeviceSections(std::string_view A, std::string_view B);
    // The smallest number >= 1 that none of Sections uses.
    static int NextDeviceNumber(const std::vector<std::string>& Sections);

private:
    template <class F> void Write(F&& Operation);
    // Reads one described key into its field of Into; false when the key is
    // present but holds no usable value (the field keeps its value).
    template <class Record, class Key>
    bool ReadField(std::string_view Section, const std::string& Name, const Key& Description, Record& Into);

    std::unique_ptr<TIniFile> FIni;
};
