// Lists that a user or another program could leave in the Documents folder:
// files that are not files, files nested or sized to exhaust the reader, and
// very long lists.
#include "Libxml2Lists.h"
#include "ListsTestSupport.h"

#include "favourites/SavedLists.h"
#include "platform/Documents.h"
#include "platform/Log.h"
#include "platform/lists/PropertyList.h"
#include "platform/lists/PropertyListBinary.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using catalogue::ChordList;
using favourites::SavedLists;
using liststest::binaryArray;
using liststest::binaryPropertyList;
using liststest::binaryString;
using liststest::record;
using liststest::sharedStringList;
using liststest::TempFolder;
using liststest::writeFile;
namespace fs = std::filesystem;

namespace {
const std::string header = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<plist version=\"1.0\">\n";

std::string deepXml(std::size_t levels)
{
    std::string xml = header;
    for (std::size_t i = 0; i < levels; ++i)
        xml += "<array>";
    for (std::size_t i = 0; i < levels; ++i)
        xml += "</array>";
    return xml + "</plist>\n";
}

std::string deepBinary(std::uint32_t levels)
{
    return liststest::deepBinaryList(levels);
}

class HostileLists : public ::testing::Test {
protected:
    // A blocking read would stop the test binary here, not hang it.
    void SetUp() override { ::alarm(120); }
    void TearDown() override { ::alarm(0); }

    catalogue::AcordeRef c = record("1", "001319", "C"), d = record("2", "000200", "D");
    catalogue::ChordListRef all = std::make_shared<ChordList>(ChordList{c, d});
    catalogue::ChordListRef favourites = std::make_shared<ChordList>(ChordList{d});
    TempFolder data;
    SavedLists lists{platform::Documents(data.path())};
    fs::path documents = data.path() / "Documents";

    // Opens each list, which must be refused with the favourites untouched
    // and the reason logged.
    void expectRefused(const platform::LogCapture& log, std::initializer_list<const char*> names,
                       const std::string& reason)
    {
        for (const std::string name : names) {
            EXPECT_FALSE(lists.open(name, favourites, all)) << name;
            EXPECT_EQ(*favourites, ChordList{d}) << name;
            std::string line = "lista não é um array de property list: \"" + name;
            line += "\" - " + reason;
            EXPECT_TRUE(log.contains(line)) << name;
        }
    }
};
} // namespace

TEST_F(HostileLists, AnythingButARegularFileIsRefusedWithoutWaiting)
{
    fs::create_directories(documents / "pasta");
    ASSERT_EQ(::mkfifo((documents / "fifo").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", documents / "zero");
    fs::create_symlink(documents / "ausente", documents / "quebrado");
    const std::vector<std::pair<std::string, std::string>> cases{
        {"fifo", "not a regular file: a FIFO"},
        {"zero", "not a regular file: a device"},
        {"pasta", "not a regular file: a folder"},
        {"quebrado", "open: No such file or directory"}};
    const platform::Documents& files = lists.documents();
    platform::LogCapture log;
    for (const auto& [name, reason] : cases) {
        EXPECT_EQ(files.read(name).error(), reason) << name;
        EXPECT_FALSE(lists.open(name, favourites, all)) << name;
        EXPECT_EQ(*favourites, ChordList{d}) << name;
        const std::string line = "lista não lida: \"" + name + "\" - " += reason;
        EXPECT_TRUE(log.contains(line)) << line;
        EXPECT_EQ(log.levelOf(line), platform::LogLevel::Warning);
    }
}

TEST_F(HostileLists, DeepOrHugeListsAreRefusedBeforeParsing)
{
    fs::create_directories(documents);
    writeFile(documents / "funda", deepXml(200000));
    writeFile(documents / "funda binária", deepBinary(100000));
    // The same, its fields written wider than any writer writes them: each
    // array's count as a 16-byte integer (marker 0x14), or every offset and
    // reference in 9 bytes. Read as they are written, they nest as deep.
    writeFile(documents / "contagens largas", liststest::deepBinaryList(100000, 16));
    writeFile(documents / "referências largas", liststest::deepBinaryList(100000, 0, 9, 9));
    writeFile(documents / "enorme", header + "<array><string>" +
                                        std::string(platform::maxPropertyListSize, 'a') +
                                        "</string></array></plist>\n");
    platform::LogCapture log;
    expectRefused(log, {"funda", "funda binária", "contagens largas", "referências largas"},
                  "nested deeper than 32 levels");
    EXPECT_FALSE(lists.open("enorme", favourites, all));
    EXPECT_EQ(*favourites, ChordList{d});
    EXPECT_TRUE(log.contains("lista não lida: \"enorme\" - file larger than 4194304 bytes"));
    // Over the size bound the reader refuses even bytes handed to it directly.
    EXPECT_EQ(platform::stringArrayFromPropertyList(std::string(4194305, ' ')).error(),
              "larger than 4194304 bytes");
}

TEST(PropertyListNesting, CountsLevelsInBothFormsAndRefusesLoops)
{
    // Three levels in XML (plist, array, array), 32 allowed.
    EXPECT_TRUE(platform::stringArrayFromPropertyList(deepXml(31)));
    EXPECT_FALSE(platform::stringArrayFromPropertyList(deepXml(32)));
    EXPECT_TRUE(platform::stringArrayFromPropertyList(deepBinary(32)));
    EXPECT_FALSE(platform::stringArrayFromPropertyList(deepBinary(33)));
    // Comments and self-closed elements add no level.
    EXPECT_TRUE(platform::stringArrayFromPropertyList(
        header + std::string(30, ' ') +
        "<array><!-- <array><array> --><array/><string>x</string>"
        "</array></plist>"));
    // Arrays each holding the next twice: the parser would copy 2^levels
    // arrays. Ten levels are fine; thirty would fill the memory.
    EXPECT_TRUE(platform::stringArrayFromPropertyList(liststest::doublingBinaryList(10)));
    EXPECT_EQ(platform::stringArrayFromPropertyList(liststest::doublingBinaryList(30)).error(),
              "more than 67108864 bytes once parsed");
    EXPECT_EQ(platform::stringArrayFromPropertyList(liststest::doublingBinaryList(30, 16)).error(),
              "more than 67108864 bytes once parsed");
    // An array inside itself, or inside its own member.
    EXPECT_EQ(platform::stringArrayFromPropertyList(binaryPropertyList({binaryArray({0})})).error(),
              "not a property list");
    EXPECT_EQ(platform::stringArrayFromPropertyList(
                  binaryPropertyList({binaryArray({1}), binaryArray({0})}))
                  .error(),
              "not a property list");
}

// XML whose nesting a reading by hand would miss: a '>' inside a quoted
// attribute value, and markup inside a comment that a quote in a processing
// instruction seems to open. Each level is counted where any XML parser
// counts it, and the list is read by that same parser.
TEST_F(HostileLists, NestingIsCountedAsAnXmlParserReadsIt)
{
    const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    const auto repeated = [](const std::string& text, std::size_t times) {
        std::string out;
        out.reserve(text.size() * times);
        for (std::size_t i = 0; i < times; ++i)
            out += text;
        return out;
    };
    fs::create_directories(documents);
    writeFile(documents / "aspas", header + repeated("<array a=\"/>\">", 180000) +
                                       repeated("</array>", 180000) + "</plist>\n");
    writeFile(documents / "sem fecho", header + repeated("<array a=\"/>\">", 290000));
    writeFile(documents / "apóstrofos", header + repeated("<array a='>'>", 200000));
    // The quote in the instruction is no quote to XML: the comment holds the
    // whole run of <array>, and the list is the one string after it.
    writeFile(documents / "comentário",
              declaration + "<?x \"?><!-- \" ?>" + repeated("<array>", 200000) + " -->\n" +
                  "<plist version=\"1.0\"><array><string>000200</string></array></plist>\n");
    platform::LogCapture log;
    expectRefused(log, {"aspas", "sem fecho", "apóstrofos"}, "nested deeper than 32 levels");
    *favourites = {c};
    EXPECT_TRUE(lists.open("comentário", favourites, all));
    EXPECT_EQ(*favourites, ChordList{d});

    // Entities of the document's own, one that names an identifier and ones
    // each ten times the one before: none is expanded, and the list is
    // refused.
    EXPECT_EQ(platform::stringArrayFromPropertyList(
                  declaration + "<!DOCTYPE plist [<!ENTITY c \"001319\">]>"
                                "<plist><array><string>&c;</string></array></plist>\n")
                  .error(),
              "not a property list");
    std::string laughs = declaration + "<!DOCTYPE plist [<!ENTITY a0 \"ha\">";
    for (int i = 1; i <= 9; ++i)
        laughs += "<!ENTITY a" + std::to_string(i) + " \"" +
                  repeated("&a" + std::to_string(i - 1) + ";", 10) + "\">";
    laughs += "]><plist><array><string>&a9;</string></array></plist>\n";
    EXPECT_EQ(platform::stringArrayFromPropertyList(laughs).error(), "not a property list");
}

// A comment or processing instruction stands between the text on either side
// of it, which it joins into no reference and no markup; a declaration after
// one is out of place, as anywhere but at the very start. Each list is read
// with the values written, or refused.
TEST(XmlLists, CommentsAndInstructionsJoinNothing)
{
    const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    const std::string bom = "\xEF\xBB\xBF";
    const auto list = [](const std::string& string) {
        return "<plist version=\"1.0\"><array><string>" + string + "</string></array></plist>\n";
    };
    const std::string refused = "refused: not a property list";
    const std::vector<std::pair<std::string, std::string>> cases{
        {declaration + list("]]<!---->>"), "]]>"},
        {declaration + list("a\r<?p?>\nb"), "a\n\nb"},
        {declaration + list("&amp;<!---->amp;"), "&amp;"},
        {bom + declaration + list("C&#x23;"), "C#"},
        {declaration + list("C&#x<!---->23;"), refused},
        {declaration + list("C&am<!---->p;G"), refused},
        {declaration + list("&l<!---->t;b&g<!---->t;"), refused},
        {"<!-- c -->" + declaration + list("C"), refused},
        {"<?p?>" + declaration + list("C"), refused},
        {bom + "<!---->" + declaration + list("C"), refused},
        {" " + declaration + list("C"), refused},
        {declaration + list("<?xml?>C"), refused},
    };
    for (const auto& [bytes, read] : cases) {
        const auto array = platform::stringArrayFromPropertyList(bytes);
        EXPECT_EQ(!array                       ? "refused: " + array.error()
                  : array->strings.size() == 1 ? array->strings[0]
                                               : "other strings",
                  read)
            << testing::PrintToString(bytes);
    }
}

// A binary list of one long string that its array refers to again and again:
// a parser that copies shared members would copy the string once per
// reference.
TEST_F(HostileLists, ASharedMemberCountsItsBytesForEveryReference)
{
    const auto sharedString = [](std::size_t size, std::uint32_t references) {
        return sharedStringList(size, references);
    };
    // 3,000,000 bytes a million times, in a file of 4,000,018 bytes; the same
    // with the counts written as 16-byte integers; and a file of a megabyte
    // whose string's text is the array of a million references to it.
    const std::string million = sharedString(3000000, 1000000);
    ASSERT_LE(million.size(), platform::maxPropertyListSize);
    fs::create_directories(documents);
    writeFile(documents / "partilhada", million);
    writeFile(documents / "contagens largas", sharedStringList(3000000, 1000000, 16));
    writeFile(documents / "dentro da cadeia", liststest::referencesInsideTheirString(1000000));
    platform::LogCapture log;
    expectRefused(log, {"partilhada", "contagens largas", "dentro da cadeia"},
                  "more than 67108864 bytes once parsed");
    EXPECT_FALSE(platform::stringArrayFromPropertyList(sharedString(3000000, 100)));
    // What counts is the bytes, not the references: 60 copies of a megabyte
    // pass, 70 do not.
    const auto sixty = platform::stringArrayFromPropertyList(sharedString(1 << 20, 60));
    ASSERT_TRUE(sixty) << sixty.error();
    EXPECT_EQ(sixty->strings.size(), 60u);
    EXPECT_EQ(sixty->strings.back().size(), std::size_t{1} << 20);
    EXPECT_FALSE(platform::stringArrayFromPropertyList(sharedString(1 << 20, 70)));
    // The array, 64 copies of one string and a last string of `tail`: exactly
    // the bound once parsed with an empty tail, a byte more with "x".
    constexpr std::size_t element = platform::parsedElementBytes;
    const std::string copied((platform::maxPropertyListParsedBytes - 2 * element) / 64 - element,
                             'a');
    std::vector<std::uint32_t> members(64, 1);
    members.push_back(2);
    for (const std::string tail : {"", "x"}) {
        const auto read = platform::stringArrayFromPropertyList(binaryPropertyList(
            {binaryArray(members, 1), binaryString(copied), binaryString(tail)}, 1));
        EXPECT_EQ(read ? "" : read.error(),
                  tail.empty() ? "" : "more than 67108864 bytes once parsed");
    }
}

TEST_F(HostileLists, AHundredThousandEntryListOpensInEitherForm)
{
    constexpr std::uint32_t entries = 100000;
    std::vector<std::string> identifiers;
    std::vector<std::uint32_t> members;
    std::vector<std::string> objects{""};
    for (std::uint32_t i = 0; i < entries; ++i) {
        identifiers.push_back(i % 2 ? "001319" : "000200");
        members.push_back(i + 1);
        objects.push_back(binaryString(identifiers.back()));
    }
    objects[0] = binaryArray(members);
    fs::create_directories(documents);
    writeFile(documents / "xml", *platform::propertyListXml(identifiers));
    writeFile(documents / "binária", binaryPropertyList(objects));
    for (const std::string name : {"xml", "binária"}) {
        ASSERT_TRUE(lists.open(name, favourites, all)) << name;
        // Each record joins the favourites once, where it first appears.
        EXPECT_EQ(*favourites, (ChordList{d, c})) << name;
    }
}

// libxml2 checks each attribute of a tag against all the earlier ones: a tag
// of the million attributes that fit in the size bound would take it half an
// hour. The reader never sees more than a few of them.
TEST_F(HostileLists, ATagOfManyAttributesIsReadAtOnce)
{
    const auto listWith = [](const std::string& attribute, bool numbered) {
        const std::string end = " version=\"1.0\"><array><string>001319</string></array></plist>\n";
        std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist";
        for (std::size_t i = 0;; ++i) {
            const std::string piece =
                " " + attribute + (numbered ? std::to_string(i) : "") + "=\"1\"";
            if (xml.size() + piece.size() + end.size() > platform::maxPropertyListSize)
                break;
            xml += piece;
        }
        return xml + end;
    };
    fs::create_directories(documents);
    writeFile(documents / "distintos", listWith("a", true));
    writeFile(documents / "repetidos", listWith("a", false));
    std::string valueless = listWith("a", true);
    for (std::size_t at = valueless.find("=\"1\""); at != std::string::npos;
         at = valueless.find("=\"1\"", at))
        valueless.replace(at, 4, "    ");
    writeFile(documents / "sem valor", valueless);
    // The last attribute named as the first: found among all the names of
    // the tag at once, not against each in turn.
    std::string lastAsFirst = listWith("a", true);
    const std::size_t last = lastAsFirst.rfind(" a");
    const std::size_t equals = lastAsFirst.find('=', last);
    lastAsFirst.replace(last, equals - last, " a0" + std::string(equals - last - 3, ' '));
    writeFile(documents / "último repete o primeiro", lastAsFirst);
    ASSERT_TRUE(lists.open("distintos", favourites, all));
    EXPECT_EQ(*favourites, ChordList{c});
    platform::LogCapture log;
    // A name given twice, or no value, is no XML.
    for (const std::string name : {"repetidos", "sem valor", "último repete o primeiro"})
        EXPECT_FALSE(lists.open(name, favourites, all)) << name;
    EXPECT_EQ(*favourites, ChordList{c});
}

// The attributes of a tag past the eighth, which libxml2 is never handed, are
// judged as it judges them: each row, the <plist> tag's attributes past its
// eighth, is a list the reader takes or refuses as libxml2 does, or more
// strictly; and what it takes, libxml2 reads the same.
TEST(XmlLists, AttributesPastTheEighthAreJudgedAsLibxml2JudgesThem)
{
    const auto listWith = [](const std::string& pastTheEighth) {
        std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"";
        for (int i = 1; i <= 7; ++i)
            xml += " a" + std::to_string(i) + "=\"1\"";
        return xml + pastTheEighth + "><array><string>001319</string></array></plist>\n";
    };
    const std::string read = "read", refused = "refused";
    const std::string stricter = "refused, read by libxml2";
    const std::vector<std::pair<std::string, std::string>> cases{
        {"", read},
        {" a8=\"&#65;&lt;&#x10FFFF;é\t\" a9='\"'", read},
        {" é8=\"1\" a·9=\"1\" _:a-.10=\"1\" A1=\"1\"", read},
        // A name given twice: the 9th an earlier one, or the 10th the 9th.
        {" a1=\"2\"", refused},
        {" version=\"1.0\"", refused},
        {" a8=\"1\" a8=\"1\"", refused},
        // References to no character XML allows, or malformed.
        {" a8=\"&#0;\"", refused},
        {" a8=\"&#xFFFE;\"", refused},
        {" a8=\"&#1114112;\"", refused},
        {" a8=\"&#4294967361;\"", refused}, // 2^32 + 65, 'A' once wrapped round
        {" a8=\"&#X41;\"", refused},
        {" a8=\"&#65\"", refused},
        {" a8=\"& \"", refused},
        {" a8=\"&c;\"", refused},
        // Raw characters XML does not allow.
        {" a8=\"\x01\"", refused},
        {" a8=\"\xEF\xBF\xBF\"", refused},
        // Names that are no XML names.
        {" a8=\"1\" 9a=\"1\"", refused},
        {" -a=\"1\"", refused},
        {" \xC3\x97=\"1\"", refused},
        {" a:b:9=\"1\"", refused},
        {" " + std::string(50001, 'a') + "=\"1\"", refused},
        // A name of other colons than a prefix's; a namespace declaration,
        // which would bind prefixes the reader never saw.
        {" :a8=\"1\"", stricter},
        {" xmlns:x=\"urn:x\"", stricter},
        {" xmlns=\"urn:x\"", stricter},
    };
    for (const auto& [pastTheEighth, verdict] : cases) {
        const std::string bytes = listWith(pastTheEighth);
        const auto ours = platform::stringArrayFromPropertyList(bytes);
        EXPECT_EQ(ours                                         ? read
                  : liststest::libxml2Array(bytes).has_value() ? stricter
                                                               : refused,
                  verdict)
            << pastTheEighth;
        if (ours) {
            EXPECT_TRUE(liststest::libxml2ReadsAs(bytes, *ours)) << pastTheEighth;
        } else {
            EXPECT_EQ(ours.error(), "not a property list") << pastTheEighth;
        }
    }
}
