#include "rtl/Strings.h"

#include "rtl/Exception.h"
#include "rtl/FileUtils.h"
#include "rtl/Gbk.h"
#include "rtl/StrUtils.h"

namespace {

// Runs Body inside one update bracket that is closed on every way out.
template <class F> void InUpdate(TStrings& List, F Body)
{
    List.BeginUpdate();
    try {
        Body();
    } catch (...) {
        List.EndUpdate();
        throw;
    }
    List.EndUpdate();
}

}  // namespace

void TStrings::Put(int Index, const std::string& S)
{
    TObject* Obj = GetObject(Index);
    InUpdate(*this, [&] {
        Delete(Index);
        InsertObject(Index, S, Obj);
    });
}

TObject* TStrings::GetObject(int) const
{
    return nullptr;
}

void TStrings::PutObject(int, TObject*) {}

int TStrings::AddObject(const std::string& S, TObject* AObject)
{
    const int Index = Count();
    InsertObject(Index, S, AObject);
    return Index;
}

void TStrings::InsertObject(int Index, const std::string& S, TObject* AObject)
{
    InUpdate(*this, [&] {
        Insert(Index, S);
        PutObject(Index, AObject);
    });
}

void TStrings::AddStrings(const TStrings& Strings)
{
    InUpdate(*this, [&] {
        for (int I = 0; I < Strings.Count(); ++I)
            AddObject(Strings.Get(I), Strings.GetObject(I));
    });
}

void TStrings::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    InUpdate(*this, [&] {
        const std::string S = Get(CurIndex);
        TObject* Obj = GetObject(CurIndex);
        Delete(CurIndex);
        InsertObject(NewIndex, S, Obj);
    });
}

void TStrings::Exchange(int Index1, int Index2)
{
    InUpdate(*this, [&] {
        const std::string S = Get(Index1);
        TObject* Obj = GetObject(Index1);
        Put(Index1, Get(Index2));
        PutObject(Index1, GetObject(Index2));
        Put(Index2, S);
        PutObject(Index2, Obj);
    });
}

int TStrings::IndexOf(std::string_view S) const
{
    for (int I = 0; I < Count(); ++I)
        if (SameText(Get(I), S))
            return I;
    return -1;
}

int TStrings::IndexOfName(std::string_view Name) const
{
    for (int I = 0; I < Count(); ++I) {
        const std::string S = Get(I);
        const std::size_t P = S.find('=');
        if (P != std::string::npos && SameText(std::string_view(S).substr(0, P), Name))
            return I;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const
{
    for (int I = 0; I < Count(); ++I)
        if (GetObject(I) == AObject)
            return I;
    return -1;
}

std::string TStrings::Names(int Index) const
{
    const std::string S = Get(Index);
    const std::size_t P = S.find('=');
    return P == std::string::npos ? std::string() : S.substr(0, P);
}

std::string TStrings::Values(std::string_view Name) const
{
    const int I = IndexOfName(Name);
    return I < 0 ? std::string() : ValueFromIndex(I);
}

void TStrings::SetValue(std::string_view Name, const std::string& Value)
{
    int I = IndexOfName(Name);
    if (!Value.empty()) {
        if (I < 0)
            I = Add(std::string());
        Put(I, std::string(Name) + "=" + Value);
    } else if (I >= 0) {
        Delete(I);
    }
}

std::string TStrings::ValueFromIndex(int Index) const
{
    const std::string S = Get(Index);
    const std::size_t P = S.find('=');
    return P == std::string::npos ? std::string() : S.substr(P + 1);
}

void TStrings::SetValueFromIndex(int Index, const std::string& Value)
{
    if (!Value.empty()) {
        if (Index < 0)
            Index = Add(std::string());
        Put(Index, Names(Index) + "=" + Value);
    } else if (Index >= 0) {
        Delete(Index);
    }
}

std::string TStrings::Text() const
{
    std::string R;
    for (int I = 0; I < Count(); ++I) {
        R += Get(I);
        R += "\r\n";
    }
    return R;
}

void TStrings::SetText(std::string_view Value)
{
    InUpdate(*this, [&] {
        Clear();
        std::size_t Start = 0;
        while (Start < Value.size()) {
            std::size_t End = Start;
            while (End < Value.size() && Value[End] != '\r' && Value[End] != '\n')
                ++End;
            Add(std::string(Value.substr(Start, End - Start)));
            if (End < Value.size() && Value[End] == '\r')
                ++End;
            if (End < Value.size() && Value[End] == '\n')
                ++End;
            Start = End;
        }
    });
}

namespace {

std::string JoinDelimited(const TStrings& List, char Delimiter, char QuoteChar)
{
    const int Count = List.Count();
    if (Count == 1 && List.Get(0).empty())
        return std::string(2, QuoteChar);
    std::string R;
    for (int I = 0; I < Count; ++I) {
        const std::string S = List.Get(I);
        bool NeedsQuotes = false;
        for (char C : S)
            if (static_cast<unsigned char>(C) <= ' ' || C == QuoteChar || C == Delimiter)
                NeedsQuotes = true;
        if (I > 0)
            R += Delimiter;
        if (NeedsQuotes) {
            R += QuoteChar;
            for (char C : S) {
                R += C;
                if (C == QuoteChar)
                    R += C;
            }
            R += QuoteChar;
        } else {
            R += S;
        }
    }
    return R;
}

// Blanks separate items too; a quoted item may hold anything, with the
// quote doubled.
void SplitDelimited(TStrings& List, std::string_view Value, char Delimiter, char QuoteChar)
{
    auto IsBlank = [](char C) { return static_cast<unsigned char>(C) <= ' '; };
    // The text ends at a NUL, as it always did for the original's strings.
    Value = Value.substr(0, Value.find('\0'));
    InUpdate(List, [&] {
        List.Clear();
        std::size_t P = 0;
        const std::size_t N = Value.size();
        while (P < N && IsBlank(Value[P]))
            ++P;
        while (P < N) {
            std::string S;
            if (Value[P] == QuoteChar) {
                ++P;
                while (P < N) {
                    if (Value[P] == QuoteChar) {
                        if (P + 1 < N && Value[P + 1] == QuoteChar) {
                            S += QuoteChar;
                            P += 2;
                            continue;
                        }
                        ++P;
                        break;
                    }
                    S += Value[P++];
                }
            } else {
                const std::size_t Start = P;
                while (P<N&& static_cast<unsigned char>(Value[P])> ' ' && Value[P] != Delimiter)
                    ++P;
                S = std::string(Value.substr(Start, P - Start));
            }
            List.Add(S);
            while (P < N && IsBlank(Value[P]))
                ++P;
            if (P < N && Value[P] == Delimiter) {
                if (P + 1 == N)
                    List.Add(std::string());
                do
                    ++P;
                while (P < N && IsBlank(Value[P]));
            }
        }
    });
}

}  // namespace

std::string TStrings::DelimitedText() const
{
    return JoinDelimited(*this, Delimiter, QuoteChar);
}

void TStrings::SetDelimitedText(std::string_view Value)
{
    SplitDelimited(*this, Value, Delimiter, QuoteChar);
}

std::string TStrings::CommaText() const
{
    return JoinDelimited(*this, ',', '"');
}

void TStrings::SetCommaText(std::string_view Value)
{
    SplitDelimited(*this, Value, ',', '"');
}

void TStrings::LoadFromFile(const std::string& FileName)
{
    SetText(Gbk::FromGbk(ReadFileBytes(FileName)));
}

void TStrings::SaveToFile(const std::string& FileName) const
{
    WriteFileAtomic(FileName, Gbk::ToGbk(Text()));
}

void TStrings::BeginUpdate()
{
    if (FUpdateCount == 0)
        SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate()
{
    if (FUpdateCount <= 0)
        return;
    --FUpdateCount;
    if (FUpdateCount == 0)
        SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void TStrings::Assign(const TPersistent* Source)
{
    if (const auto* Strings = dynamic_cast<const TStrings*>(Source)) {
        if (Strings == this)
            return;
        InUpdate(*this, [&] {
            Clear();
            AddStrings(*Strings);
        });
        return;
    }
    TPersistent::Assign(Source);
}

bool TStrings::Equals(const TStrings& Strings) const
{
    if (Count() != Strings.Count())
        return false;
    for (int I = 0; I < Count(); ++I)
        if (Get(I) != Strings.Get(I))
            return false;
    return true;
}
