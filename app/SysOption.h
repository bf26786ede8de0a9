#pragma once
// Program settings: each TOption is bound to a section and key of
// "config.ini", read once when created (its default for a missing or
// unusable value) and written back the moment a different value is set.
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

class TVcRegIniFile;

enum TOptionKind : unsigned char { okInteger = 0, okFloat = 1, okBool = 2, okString = 3, okDateTime = 4 };

// The held value; a date-time is held as its double.
using TOptionValue = std::variant<int, double, bool, std::string>;

class TOption {
public:
    // Accepts a value read from the file; a refused one reads as the default.
    using TValidator = std::function<bool(const TOptionValue&)>;

    TOption(TOptionKind Kind, TOptionValue Default, std::string Key, std::string Section, TValidator Valid = nullptr);

    TOptionKind Kind() const { return FKind; }
    const std::string& Key() const { return FKey; }
    const std::string& Section() const { return FSection; }
    const TOptionValue& Value() const { return FValue; }

    int AsInteger() const;
    double AsFloat() const;
    bool AsBool() const;
    std::string AsString() const;

    // Stores and writes V (converted to the option's kind) when it differs.
    void SetValue(const TOptionValue& V);

private:
    void Read(const TOptionValue& Default);
    void Write();
    TOptionValue Converted(const TOptionValue& V) const;

    TOptionKind FKind;
    std::string FKey;
    std::string FSection;
    TOptionValue FValue;
    TValidator FValid;
};

// The chart's X span, in any of its units or in samples, is more than 0
// and at most this: the setup dialog keeps its edit within it, and a
// stored span beyond it reads as the default.
constexpr double MaxXSpan = 1e7;

// The store every option reads and writes; set before any option exists.
void SetOptionStore(TVcRegIniFile* Store);
TVcRegIniFile* OptionStore();

// Every option of the program, created and read in order from one store
// when the list is made; the list owns them. While it exists, OptionList
// and the opt... pointers below show its options; they are empty again
// once it is gone. The setup dialog holds the program's list.
class TOptionList {
public:
    // Also makes Store the option store, and repairs what the store holds:
    // the owner name's code page and a negative ring buffer size.
    explicit TOptionList(TVcRegIniFile* Store);
    ~TOptionList();
    TOptionList(const TOptionList&) = delete;
    TOptionList& operator=(const TOptionList&) = delete;

private:
    TOption* Add(TOptionKind Kind, TOptionValue Default, std::string Key, std::string Section,
                 TOption::TValidator Valid = nullptr);
    void Repair(TVcRegIniFile* Store);
    bool Shown() const;

    std::vector<std::unique_ptr<TOption>> FOptions;
};

// The options of the live list, in creation order; they belong to it.
extern std::vector<TOption*> OptionList;

extern TOption* optAuthor;
extern TOption* optCommPort;
extern TOption* optBaudRate;
extern TOption* optParity;
extern TOption* optPollDelay;
extern TOption* optPollTimeout;
extern TOption* optXSpan;
extern TOption* optTimeBaseX;
extern TOption* optChannelRingBufferSize;
extern TOption* optLogFilenameMode;
extern TOption* optStartMode;
extern TOption* optStopMode;
extern TOption* optLogDuration;
extern TOption* optTimeBaseLog;
extern TOption* optStartTriggerLogic;
extern TOption* optStopTriggerLogic;
extern TOption* optMaxRecordPerFile;
extern TOption* optLogInterval;
extern TOption* optAxisFormat;
extern TOption* optProgramTitle;
