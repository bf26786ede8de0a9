#pragma once
// The numeric edit of the dialogs, with its display format and range.
#include <string>

#include "controls/VcEdit.h"

class TVcNumericEdit : public TVcEdit {
public:
    explicit TVcNumericEdit(TComponent* AOwner);

    // The number in the edit; text that is not a number reads as the last
    // value set, and so does the text that value is shown as, at its full
    // precision. With CheckRange the value is kept within Min..Max.
    double GetValue() const;
    void SetValue(double Value);
    int AsInteger() const;

    bool GetIntegersOnly() const { return FIntegersOnly; }
    void SetIntegersOnly(bool Value);
    // A number picture such as "0", "0.0" or "0.000".
    const std::string& GetDisplayFormat() const { return FDisplayFormat; }
    void SetDisplayFormat(const std::string& Value);
    double GetMin() const { return FMin; }
    void SetMin(double Value) { FMin = Value; }
    double GetMax() const { return FMax; }
    void SetMax(double Value) { FMax = Value; }
    bool GetCheckRange() const { return FCheckRange; }
    void SetCheckRange(bool Value) { FCheckRange = Value; }

    TProperty<TVcNumericEdit, double, &TVcNumericEdit::GetValue, &TVcNumericEdit::SetValue> Value{this};
    TProperty<TVcNumericEdit, bool, &TVcNumericEdit::GetIntegersOnly, &TVcNumericEdit::SetIntegersOnly> IntegersOnly{
        this};
    TProperty<TVcNumericEdit, std::string, &TVcNumericEdit::GetDisplayFormat, &TVcNumericEdit::SetDisplayFormat>
        DisplayFormat{this};
    TProperty<TVcNumericEdit, double, &TVcNumericEdit::GetMin, &TVcNumericEdit::SetMin> Min{this};
    TProperty<TVcNumericEdit, double, &TVcNumericEdit::GetMax, &TVcNumericEdit::SetMax> Max{this};
    TProperty<TVcNumericEdit, bool, &TVcNumericEdit::GetCheckRange, &TVcNumericEdit::SetCheckRange> CheckRange{this};

protected:
    // Leaving the edit shows the value in the display format.
    void DoExit() override;

private:
    double Limited(double Value) const;
    std::string Formatted(double Value) const;

    double FValue = 0;
    bool FIntegersOnly = false;
    std::string FDisplayFormat = "0";
    double FMin = 0;
    double FMax = 0;
    bool FCheckRange = false;
};
