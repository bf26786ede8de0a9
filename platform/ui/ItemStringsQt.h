#pragma once
// Private to platform/ui: a TStrings whose items live in a Qt widget, with
// the object of each item kept in the item's user data.
#include <QVariant>
#include <functional>

#include "rtl/Exception.h"
#include "rtl/Strings.h"

class TItemStrings : public TStrings {
public:
    struct TAccess {
        std::function<int()> Count;
        std::function<QString(int)> Get;
        std::function<void(int, const QString&)> Put;
        std::function<QVariant(int)> GetData;
        std::function<void(int, const QVariant&)> PutData;
        std::function<void(int, const QString&)> Insert;
        std::function<void(int)> Delete;
        std::function<void()> Clear;
    };

    explicit TItemStrings(TAccess AAccess) : FAccess(std::move(AAccess)) {}

    int Count() const override { return FAccess.Count(); }
    std::string Get(int Index) const override;
    void Put(int Index, const std::string& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Clear() override { FAccess.Clear(); }

private:
    void Check(int Index, int Limit) const
    {
        if (Index < 0 || Index >= Limit)
            throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    }
    TAccess FAccess;
};
