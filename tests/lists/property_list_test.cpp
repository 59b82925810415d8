#include "Libxml2Lists.h"
#include "platform/lists/PropertyList.h"

#include <gtest/gtest.h>

using platform::propertyListXml;
using platform::stringArrayFromPropertyList;

namespace {
const std::string header = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                           "<plist version=\"1.0\">\n";
} // namespace

TEST(PropertyList, WritesTheXmlFormWithEscapesAndReadsItBack)
{
    const std::vector<std::string> strings{"001319", "a<&>\"'", "", "Dó maior"};
    const std::string xml = *propertyListXml(strings);
    EXPECT_EQ(xml, header + "<array>\n"
                            "\t<string>001319</string>\n"
                            "\t<string>a&lt;&amp;&gt;\"'</string>\n"
                            "\t<string></string>\n"
                            "\t<string>Dó maior</string>\n"
                            "</array>\n"
                            "</plist>\n");
    const auto back = stringArrayFromPropertyList(xml);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->strings, strings);
    EXPECT_EQ(back->otherElements, 0u);

    EXPECT_EQ(*propertyListXml({}), header + "<array/>\n</plist>\n");
    const auto empty = stringArrayFromPropertyList(*propertyListXml({}));
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->strings.empty());
}

TEST(PropertyList, ReadsTheBinaryForm)
{
    // ["001319", "000002", "Dó maior <&>"], the last one stored as UTF-16.
    const char bytes[] =
        "bplist00\xa3\x01\x02\x03\x56"
        "001319\x56"
        "000002\x6c\x00\x44\x00\xf3\x00\x20\x00\x6d\x00\x61\x00\x69\x00\x6f\x00\x72\x00\x20\x00"
        "\x3c\x00\x26\x00\x3e\x08\x0c\x13\x1a\x00\x00\x00\x00\x00\x00\x01\x01\x00\x00\x00\x00"
        "\x00\x00\x00\x04\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x33";
    const auto array = stringArrayFromPropertyList(std::string_view(bytes, sizeof bytes - 1));
    ASSERT_TRUE(array);
    EXPECT_EQ(array->strings, (std::vector<std::string>{"001319", "000002", "Dó maior <&>"}));
}

TEST(PropertyList, RefusesWhatIsNotAnArrayAndCountsOtherElements)
{
    EXPECT_FALSE(stringArrayFromPropertyList(""));
    EXPECT_FALSE(stringArrayFromPropertyList("001319\n000002\n"));
    EXPECT_FALSE(stringArrayFromPropertyList(header + "<array>\n\t<string>001319</string>\n"));
    EXPECT_FALSE(stringArrayFromPropertyList(
        header + "<dict><key>a</key><string>001319</string></dict></plist>\n"));
    EXPECT_FALSE(stringArrayFromPropertyList(header + "<string>001319</string></plist>\n"));
    // A property list holds one value: none, or a second one, is no list.
    EXPECT_FALSE(stringArrayFromPropertyList(header + "</plist>\n"));
    EXPECT_FALSE(stringArrayFromPropertyList(header + "<array/><array/></plist>\n"));
    // Text stands only inside a value; a CDATA section, even of blanks, is
    // text.
    EXPECT_FALSE(stringArrayFromPropertyList(header + "<array>001319</array></plist>\n"));
    EXPECT_FALSE(stringArrayFromPropertyList(header + "<array><![CDATA[ ]]></array></plist>\n"));
    // A string's text is all its pieces: character references, CDATA, and
    // text on both sides of a comment; blanks in it are kept.
    const auto pieces = stringArrayFromPropertyList(
        header + "<array>\n <string> a<![CDATA[<b>]]>&#233;<!-- x -->c </string>\n"
                 " <string>\t</string><string/></array></plist>\n");
    ASSERT_TRUE(pieces);
    EXPECT_EQ(pieces->strings, (std::vector<std::string>{" a<b>éc ", "\t", ""}));
    // The value alone, without <plist> around it, is read as well.
    EXPECT_EQ(stringArrayFromPropertyList("<array><string>001319</string></array>")->strings,
              std::vector<std::string>{"001319"});

    // An element whose prefix names no namespace is no <string>.
    const auto mixed = stringArrayFromPropertyList(
        header + "<array><string>001319</string><integer>7</integer><array/>"
                 "<x:string>001319</x:string><string>000002</string></array></plist>\n");
    ASSERT_TRUE(mixed);
    EXPECT_EQ(mixed->strings, (std::vector<std::string>{"001319", "000002"}));
    EXPECT_EQ(mixed->otherElements, 3u);
}

// The reader reads the bytes as UTF-8, as the bound on tag attributes reads
// them: a list declaring another encoding, which would be other characters to
// libxml2, '<' among them, is refused rather than read otherwise; so are bytes
// that are not UTF-8. Whatever the reader takes, libxml2 on its own reads the
// same.
TEST(PropertyList, AnXmlListDeclaringAnotherEncodingThanUtf8IsRefused)
{
    const auto listDeclaring = [](const std::string& declaration) {
        return declaration + "\n<plist version=\"1.0\"><array><string>Dó +ADw-</string>"
                             "</array></plist>\n";
    };
    const auto declaring = [&](const std::string& encoding) {
        return listDeclaring("<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>");
    };
    const std::string read = "Dó +ADw-";
    const std::string refused = "refused: not a property list";
    const std::vector<std::pair<std::string, std::string>> cases{
        {declaring("UTF-8"), read},
        {declaring("utf-8"), read},
        {declaring("Utf8"), read},
        {listDeclaring("<?xml version='1.0' encoding = 'UTF-8' standalone='yes'?>"), read},
        {listDeclaring("<?xml version=\"1.0\"?>"), read},
        {listDeclaring(""), read},
        {"\xEF\xBB\xBF" + declaring("UTF-8"), read},
        {declaring("ISO-8859-1"), refused},
        {declaring("KOI8-R"), refused},
        {declaring("UTF-16"), refused},
        {declaring("IBM037"), refused},
        {declaring("UTF-7"), refused},
        {declaring("não-existe"), refused},
        {declaring(""), refused},
        {listDeclaring("<?xml version=\"1.0\"\tencoding=\"latin1\"?>"), refused},
        {listDeclaring("<?xml version='1.0' encoding='ISO-8859-1'?>"), refused},
        {"\xEF\xBB\xBF" + declaring("ISO-8859-1"), refused},
        {header + "<array><string>D\xF3</string></array></plist>", refused},
    };
    for (const auto& [bytes, expected] : cases) {
        const auto array = stringArrayFromPropertyList(bytes);
        EXPECT_EQ(!array                       ? "refused: " + array.error()
                  : array->strings.size() == 1 ? array->strings[0]
                                               : "other strings",
                  expected)
            << bytes;
        if (array) {
            EXPECT_TRUE(liststest::libxml2ReadsAs(bytes, *array)) << bytes;
        }
    }
}
