#include "rtl/Reader.h"

#include <cstring>

#include "rtl/Exception.h"
#include "rtl/StrUtils.h"
#include "rtl/MemoryStream.h"
#include "rtl/PublishedProperties.h"
#include "rtl/Writer.h"

namespace {

const TPropInfo* OwnedHolder(const TObject* Instance, const std::string& Name)
{
    const TPropInfo* info = GetPropInfo(Instance, Name);
    return info && info->Kind == TTypeKind::tkClass && info->OwnsObject && info->GetObject ? info : nullptr;
}

}  // namespace

TValueType TReader::ReadValueType()
{
    auto tag = ReadLittleEndian<std::uint8_t>(FStream);
    if (tag > static_cast<std::uint8_t>(TValueType::vaBinary))
        throw EReadError("Invalid stream format: unknown value type " + std::to_string(tag));
    return static_cast<TValueType>(tag);
}

TValueType TReader::NextValue()
{
    TValueType type = ReadValueType();
    FStream.Seek(-1, TSeekOrigin::soCurrent);
    return type;
}

void TReader::Expect(TValueType Type)
{
    if (ReadValueType() != Type)
        throw EReadError("Invalid property value");
}

std::string TReader::ReadBytes(std::uint64_t Count)
{
    // A length larger than what is left is a corrupt or truncated stream,
    // refused before anything is allocated for it.
    if (Count > static_cast<std::uint64_t>(FStream.Remaining()))
        throw EReadError("Stream read error: value runs past the end of the stream");
    std::string bytes(static_cast<std::size_t>(Count), '\0');
    FStream.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

std::string TReader::ReadShortText()
{
    return ReadBytes(ReadLittleEndian<std::uint16_t>(FStream));
}

void TReader::ReadSignature()
{
    char signature[sizeof StreamSignature];
    if (FStream.Read(signature, sizeof signature) != sizeof signature ||
        std::memcmp(signature, StreamSignature, sizeof signature) != 0)
        throw EReadError("Invalid stream format: not a component stream");
    auto version = ReadLittleEndian<std::uint8_t>(FStream);
    if (version != StreamVersion)
        throw EReadError("Invalid stream format: version " + std::to_string(version) + " is not known");
}

bool TReader::EndOfList()
{
    auto length = ReadLittleEndian<std::uint16_t>(FStream);
    FStream.Seek(-2, TSeekOrigin::soCurrent);
    return length == 0;
}

void TReader::ReadListEnd()
{
    if (ReadLittleEndian<std::uint16_t>(FStream) != 0)
        throw EReadError("Invalid stream format: list end expected");
}

std::string TReader::ReadPropName()
{
    std::string name = ReadShortText();
    if (name.empty())
        throw EReadError("Invalid stream format: property name expected");
    return name;
}

std::int64_t TReader::ReadInteger()
{
    Expect(TValueType::vaInt);
    return static_cast<std::int64_t>(ReadLittleEndian<std::uint64_t>(FStream));
}

double TReader::ReadFloat()
{
    if (NextValue() == TValueType::vaInt)
        return static_cast<double>(ReadInteger());
    Expect(TValueType::vaFloat);
    std::uint64_t bits = ReadLittleEndian<std::uint64_t>(FStream);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string TReader::ReadString()
{
    Expect(TValueType::vaString);
    return ReadBytes(ReadLittleEndian<std::uint32_t>(FStream));
}

bool TReader::ReadBoolean()
{
    TValueType type = ReadValueType();
    if (type != TValueType::vaFalse && type != TValueType::vaTrue)
        throw EReadError("Invalid property value");
    return type == TValueType::vaTrue;
}

std::string TReader::ReadIdent()
{
    Expect(TValueType::vaIdent);
    return ReadShortText();
}

std::vector<std::string> TReader::ReadSet()
{
    Expect(TValueType::vaSet);
    auto count = ReadLittleEndian<std::uint16_t>(FStream);
    std::vector<std::string> elements;
    for (unsigned i = 0; i < count; ++i)
        elements.push_back(ReadShortText());
    return elements;
}

std::string TReader::ReadBinary()
{
    Expect(TValueType::vaBinary);
    return ReadBytes(ReadLittleEndian<std::uint32_t>(FStream));
}

void TReader::SkipPropertyList()
{
    while (!EndOfList()) {
        ReadPropName();
        SkipValue();
    }
    ReadListEnd();
}

void TReader::SkipValue()
{
    switch (NextValue()) {
    case TValueType::vaNull: throw EReadError("Invalid stream format: value expected");
    case TValueType::vaList:
        ReadValueType();
        SkipPropertyList();
        break;
    case TValueType::vaInt: ReadInteger(); break;
    case TValueType::vaFloat: ReadFloat(); break;
    case TValueType::vaString: ReadString(); break;
    case TValueType::vaFalse:
    case TValueType::vaTrue: ReadBoolean(); break;
    case TValueType::vaIdent: ReadIdent(); break;
    case TValueType::vaSet: ReadSet(); break;
    case TValueType::vaBinary: ReadBinary(); break;
    case TValueType::vaCollection:
        ReadValueType();
        if (++FDepth > MaxCollectionDepth) {
            FDepth = 0;
            throw EReadError("Invalid stream format: collections nested too deep");
        }
        while (NextValue() != TValueType::vaNull) {
            if (NextValue() == TValueType::vaIdent)
                ReadIdent();
            Expect(TValueType::vaList);
            SkipPropertyList();
        }
        ReadValueType();
        --FDepth;
        break;
    }
}

void TReader::ReadRoot(TPersistent* Instance)
{
    std::int64_t start = FStream.GetPosition();
    ReadSignature();
    SkipPropertyList();
    std::int64_t end = FStream.GetPosition();

    TMemoryStream saved;
    {
        TWriter writer(saved);
        writer.WriteDefaults = true;
        writer.WriteRoot(Instance);
    }
    try {
        FStream.SetPosition(start);
        ReadSignature();
        ReadProperties(Instance);
    } catch (const std::exception& e) {
        try {
            saved.SetPosition(0);
            TReader restore(saved);
            restore.ReadSignature();
            restore.ReadProperties(Instance);
        } catch (const std::exception&) {
            // The original error is the one the caller needs to hear about.
        }
        FStream.SetPosition(end);
        if (dynamic_cast<const EReadError*>(&e))
            throw EReadError(e.what());
        throw EReadError(std::string("Error reading stream: ") + e.what());
    }
}

void TReader::ReadProperties(TPersistent* Instance)
{
    while (!EndOfList())
        ReadProperty(Instance);
    ReadListEnd();
}

void TReader::ReadProperty(TPersistent* Instance)
{
    const std::string name = ReadPropName();
    TObject* holder = Instance;
    std::string leaf = name;
    for (auto dot = leaf.find('.'); dot != std::string::npos; dot = leaf.find('.')) {
        const TPropInfo* sub = OwnedHolder(holder, leaf.substr(0, dot));
        holder = sub ? sub->GetObject(holder) : nullptr;
        if (!holder)
            throw EReadError("Error reading " + name + ": property does not exist");
        leaf = leaf.substr(dot + 1);
    }
    const TPropInfo* info = GetPropInfo(holder, leaf);
    if (!info || info->Kind == TTypeKind::tkClass || info->Kind == TTypeKind::tkMethod) {
        auto* persistent = dynamic_cast<TPersistent*>(holder);
        // A defined property's reader may read nested properties in turn.
        std::string savedName = FPendingName;
        bool savedHandled = FPendingHandled;
        FPendingName = leaf;
        FPendingHandled = false;
        if (persistent)
            persistent->DefineProperties(*this);
        bool handled = FPendingHandled;
        FPendingName = savedName;
        FPendingHandled = savedHandled;
        if (!handled)
            throw EReadError("Error reading " + name + ": property does not exist");
        return;
    }
    if (!info->IsWritable())
        throw EReadError("Error reading " + name + ": property is read-only");
    try {
        switch (info->Kind) {
        case TTypeKind::tkInteger:
        case TTypeKind::tkChar: SetOrdProp(holder, *info, ReadInteger()); break;
        case TTypeKind::tkEnumeration: {
            std::int64_t value;
            if (NextValue() == TValueType::vaIdent) {
                std::string ident = ReadIdent();
                value = GetEnumValue(*info, ident);
                if (value < 0)
                    throw EReadError("Invalid property value " + ident);
            } else {
                value = ReadBoolean() ? 1 : 0;
            }
            SetOrdProp(holder, *info, value);
            break;
        }
        case TTypeKind::tkSet: {
            std::int64_t bits = 0;
            for (const std::string& element : ReadSet()) {
                std::int64_t index = GetEnumValue(*info, element);
                if (index < 0 || index >= 32)
                    throw EReadError("Invalid property value " + element);
                bits |= std::int64_t{1} << index;
            }
            SetOrdProp(holder, *info, bits);
            break;
        }
        case TTypeKind::tkFloat: SetFloatProp(holder, *info, ReadFloat()); break;
        case TTypeKind::tkString: SetStrProp(holder, *info, ReadString()); break;
        default: SkipValue(); break;
        }
    } catch (const Exception& e) {
        throw EReadError("Error reading " + name + ": " + e.Message);
    }
}

void TReader::ReadCollection(const std::function<TPersistent*()>& NewItem,
                             const std::function<void(TPersistent*)>& Done)
{
    ReadCollection(
        [&](const std::string& ClassName) {
            if (!ClassName.empty())
                throw EReadError("Invalid stream format: no item of class " + ClassName + " belongs here");
            return NewItem();
        },
        Done);
}

void TReader::ReadCollection(const std::function<TPersistent*(const std::string& ClassName)>& NewItem,
                             const std::function<void(TPersistent*)>& Done)
{
    Expect(TValueType::vaCollection);
    if (++FDepth > MaxCollectionDepth) {
        FDepth = 0;
        throw EReadError("Invalid stream format: collections nested too deep");
    }
    while (NextValue() != TValueType::vaNull) {
        const std::string className = NextValue() == TValueType::vaIdent ? ReadIdent() : std::string();
        Expect(TValueType::vaList);
        TPersistent* item = NewItem(className);
        ReadProperties(item);
        if (Done)
            Done(item);
    }
    ReadValueType();
    --FDepth;
}

void TReader::DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc&, bool)
{
    if (FPendingHandled || !ReadData || !SameText(Name, FPendingName))
        return;
    FPendingHandled = true;
    ReadData(*this);
}

void TReader::DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData, const TStreamProc&, bool)
{
    if (FPendingHandled || !ReadData || !SameText(Name, FPendingName))
        return;
    FPendingHandled = true;
    TMemoryStream bytes(ReadBinary());
    ReadData(bytes);
}
