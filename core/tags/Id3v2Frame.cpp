// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/Id3v2Frame.h"

#include <array>
#include <utility>

#include "platform/Text.h"
#include "tags/Id3v2Header.h"

namespace tagnomen {

namespace {

constexpr std::uint32_t kMaxPlainSize = 0xFFFFFFFFu;

// Version 2 frames and their version 3 ids. Frames without a counterpart
// (encrypted meta frames, links naming version 2 ids) are not converted.
constexpr std::array<std::pair<std::string_view, std::string_view>, 70> kVersion2Ids = {{
    {"BUF", "RBUF"}, {"CNT", "PCNT"}, {"COM", "COMM"}, {"CRA", "AENC"}, {"ETC", "ETCO"},
    {"EQU", "EQUA"}, {"GEO", "GEOB"}, {"IPL", "IPLS"}, {"MCI", "MCDI"}, {"MLL", "MLLT"},
    {"PIC", "APIC"}, {"POP", "POPM"}, {"REV", "RVRB"}, {"RVA", "RVAD"}, {"SLT", "SYLT"},
    {"STC", "SYTC"}, {"TAL", "TALB"}, {"TBP", "TBPM"}, {"TCM", "TCOM"}, {"TCO", "TCON"},
    {"TCR", "TCOP"}, {"TDA", "TDAT"}, {"TDY", "TDLY"}, {"TEN", "TENC"}, {"TFT", "TFLT"},
    {"TIM", "TIME"}, {"TKE", "TKEY"}, {"TLA", "TLAN"}, {"TLE", "TLEN"}, {"TMT", "TMED"},
    {"TOA", "TOPE"}, {"TOF", "TOFN"}, {"TOL", "TOLY"}, {"TOR", "TORY"}, {"TOT", "TOAL"},
    {"TP1", "TPE1"}, {"TP2", "TPE2"}, {"TP3", "TPE3"}, {"TP4", "TPE4"}, {"TPA", "TPOS"},
    {"TPB", "TPUB"}, {"TRC", "TSRC"}, {"TRD", "TRDA"}, {"TRK", "TRCK"}, {"TSI", "TSIZ"},
    {"TSS", "TSSE"}, {"TT1", "TIT1"}, {"TT2", "TIT2"}, {"TT3", "TIT3"}, {"TXT", "TEXT"},
    {"TXX", "TXXX"}, {"TYE", "TYER"}, {"UFI", "UFID"}, {"ULT", "USLT"}, {"WAF", "WOAF"},
    {"WAR", "WOAR"}, {"WAS", "WOAS"}, {"WCM", "WCOM"}, {"WCP", "WCOP"}, {"WPB", "WPUB"},
    {"WXX", "WXXX"}, {"TCP", "TCMP"}, {"TST", "TSOT"}, {"TSA", "TSOA"}, {"TSP", "TSOP"},
    {"TS2", "TSO2"}, {"TSC", "TSOC"}, {"TDR", "TDRL"}, {"TGP", "TGID"}, {"TDS", "TDES"},
}};

bool IsIdCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

std::uint32_t BigEndian(const unsigned char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

// PIC's image format ("JPG", "PNG") as the MIME type APIC names.
std::string MimeTypeOf(std::string_view format) {
    const std::string lower = ToLowerAscii(format);
    if (lower == "jpg") {
        return "image/jpeg";
    }
    if (lower == "-->") {
        return "-->";  // a link to the picture instead of the picture
    }
    return "image/" + lower;
}

}  // namespace

Id3v2FrameHeader Id3v2FrameHeader::Parse(const unsigned char* bytes, int majorVersion,
                                         bool plainSize) {
    Id3v2FrameHeader header;
    if (majorVersion == 2) {
        header.id.assign(reinterpret_cast<const char*>(bytes), 3);
        header.size = BigEndian(bytes + 3, 3);
        return header;
    }
    header.id.assign(reinterpret_cast<const char*>(bytes), 4);
    header.size =
        majorVersion >= 4 && !plainSize ? ReadSynchsafe(bytes + 4) : BigEndian(bytes + 4, 4);
    header.flags = static_cast<std::uint16_t>((bytes[8] << 8) | bytes[9]);
    return header;
}

bool Id3v2FrameHeader::HasValidId() const {
    if (id.size() != 3 && id.size() != 4) {
        return false;
    }
    for (const char c : id) {
        if (!IsIdCharacter(c)) {
            return false;
        }
    }
    return true;
}

bool Id3v2FrameHeader::AppendTo(std::string& out, int majorVersion) const {
    if (id.size() != 4 || (majorVersion >= 4 ? size > kMaxSynchsafe : size > kMaxPlainSize)) {
        return false;
    }
    unsigned char bytes[10] = {};
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<unsigned char>(id[static_cast<std::size_t>(i)]);
    }
    if (majorVersion >= 4) {
        WriteSynchsafe(size, bytes + 4);
    } else {
        bytes[4] = static_cast<unsigned char>(size >> 24);
        bytes[5] = static_cast<unsigned char>(size >> 16);
        bytes[6] = static_cast<unsigned char>(size >> 8);
        bytes[7] = static_cast<unsigned char>(size);
    }
    bytes[8] = static_cast<unsigned char>(flags >> 8);
    bytes[9] = static_cast<unsigned char>(flags);
    out.append(reinterpret_cast<const char*>(bytes), sizeof bytes);
    return true;
}

std::string Deunsynchronise(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out.push_back(bytes[i]);
        if (static_cast<unsigned char>(bytes[i]) == 0xFF && i + 1 < bytes.size() &&
            bytes[i + 1] == '\0') {
            ++i;
        }
    }
    return out;
}

std::optional<std::string> FrameContent(std::string_view storedData, std::uint16_t flags,
                                        int majorVersion) {
    using namespace frameflags;
    if (majorVersion == 3) {
        if ((flags & (kV3Compression | kV3Encryption)) != 0) {
            return std::nullopt;
        }
        if ((flags & kV3Grouping) != 0) {
            if (storedData.empty()) {
                return std::nullopt;
            }
            storedData.remove_prefix(1);
        }
        return std::string(storedData);
    }
    if (majorVersion >= 4) {
        if ((flags & (kV4Compression | kV4Encryption)) != 0) {
            return std::nullopt;
        }
        if ((flags & kV4Grouping) != 0) {
            if (storedData.empty()) {
                return std::nullopt;
            }
            storedData.remove_prefix(1);
        }
        if ((flags & kV4DataLength) != 0) {
            if (storedData.size() < 4) {
                return std::nullopt;
            }
            storedData.remove_prefix(4);
        }
        if ((flags & kV4Unsynchronisation) != 0) {
            return Deunsynchronise(storedData);
        }
    }
    return std::string(storedData);
}

std::string_view Version3IdOf(std::string_view version2Id) {
    for (const auto& [v2, v3] : kVersion2Ids) {
        if (v2 == version2Id) {
            return v3;
        }
    }
    return {};
}

std::optional<Id3v2Frame> ConvertVersion2Frame(const Id3v2Frame& frame) {
    const std::string_view id = Version3IdOf(frame.id);
    if (id.empty()) {
        return std::nullopt;
    }
    Id3v2Frame converted{std::string(id), 0, frame.data};
    if (frame.id == "PIC") {
        // Encoding byte, three-letter format, picture type, description, data.
        if (frame.data.size() < 5) {
            return std::nullopt;
        }
        converted.data = frame.data.substr(0, 1) + MimeTypeOf(frame.data.substr(1, 3)) +
                         std::string(1, '\0') + frame.data.substr(4);
    }
    return converted;
}

}  // namespace tagnomen
