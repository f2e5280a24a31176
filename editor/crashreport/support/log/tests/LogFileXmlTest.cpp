#include <gtest/gtest.h>

#include "LogSamples.h"
#include "editor/crashreport/support/archive/Base64.h"
#include "editor/crashreport/support/archive/BlockCipher.h"
#include "editor/crashreport/support/log/LogFile.h"
#include "editor/crashreport/support/log/XmlBuilder.h"

TEST(XmlBuilder, EncodesMarkupControlAndHighCharacters)
{
    struct Case {
        std::string text, encoded;
    } cases[] = {
        {"plain text 123", "plain text 123"},
        {"<a & 'b' \"c\">", "&#060;a &#038; &#039;b&#039; &#034;c&#034;&#062;"},
        {"a\r\nb", "a&#013;&#010;b"},
        {std::string("\x00\x7f\xc8\xff", 4), "&#000;&#127;&#200;&#255;"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TXMLItem::EncodedString(c.text), c.encoded) << c.encoded;
}

TEST(XmlBuilder, WritesIndentedElements)
{
    TXMLItem root("Root");
    EXPECT_EQ(root.GetXMLText(), "<Root/>\r\n");
    root.AddField("A", "1");
    root.AddField("A", "x<y");
    TXMLItem* child = root.AddItem("Child");
    EXPECT_EQ(child->Parent(), &root);
    child->SetValue("line1\r\nline2");
    TXMLItem* inner = root.AddItem("Inner");
    inner->AddItem("Leaf")->AddField("B", "2");
    root.AddItem("Empty");
    EXPECT_EQ(root.GetXMLText(),
              "<Root A=\"1\" A=\"x&#060;y\">\r\n"
              "  <Child>line1&#013;&#010;line2</Child>\r\n"
              "  <Inner>\r\n"
              "    <Leaf B=\"2\"/>\r\n"
              "  </Inner>\r\n"
              "  <Empty/>\r\n"
              "</Root>\r\n");
    EXPECT_EQ(inner->GetXMLText(), "<Inner>\r\n  <Leaf B=\"2\"/>\r\n</Inner>\r\n");
}

TEST(LogFileXml, EmptyLogIsAnEmptyDocument)
{
    TLogFile log;
    EXPECT_EQ(log.GetXML(), "<Doc>\r\n</Doc>\r\n");
    EXPECT_EQ(log.GetItem_XML(0), "");
}

TEST(LogFileXml, ReportSectionsBecomeElements)
{
    TLogFile log;
    log.Append(SampleReport("ID\"1"), -1);
    const std::string general = log.GetItem_GeneralsXML(0);
    EXPECT_EQ(general.substr(0, general.find("<Group ID=\"2\"")),
              "<General>\r\n"
              "  <Group ID=\"1\" Label=\"Application\">\r\n"
              "    <Line ID=\"1.1\" Label=\"Start Date\" Value=\"Thu, 10 Dec 2026 14:00:00\"/>\r\n"
              "    <Line ID=\"1.2\" Label=\"Name/Description\" Value=\"Tessaly.exe - byte editor\"/>\r\n"
              "  </Group>\r\n  ");
    EXPECT_NE(general.find("<Line ID=\"2.7\" Label=\"ID\" Value=\"ID&#034;1\"/>"), std::string::npos);
    EXPECT_NE(general.find("<Line ID=\"2.9\" Label=\"Message\" Value=\"Access violation at address "
                           "00401000.&#013;&#010;Read of address 00000000: null\"/>"),
              std::string::npos);
    EXPECT_EQ(general.find("2.3"), std::string::npos);

    EXPECT_EQ(log.GetItem_CallStackXML(0),
              "<CallStack>\r\n"
              "  <ExceptionThread ID=\"100\" Priority=\"0\" Class=\"\" MainThread=\"True\">\r\n"
              "    <Line Address=\"00401000\" Module=\"Tessaly.exe\" Unit=\"Main.pas\" Class=\"TForm1\" "
              "Procedure=\"Button1Click\" Number=\"12\" Offset=\"3\"/>\r\n"
              "    <Line Address=\"00401100\" Module=\"Tessaly.exe\" Unit=\"Main.pas\" Class=\"\" "
              "Procedure=\"_Start\" Number=\"20\" Offset=\"\"/>\r\n"
              "  </ExceptionThread>\r\n"
              "  <RunningThread ID=\"200\" Priority=\"1\" Class=\"TWorker\" MainThread=\"False\">\r\n"
              "    <Line Address=\"00402000\" Module=\"Tessaly.exe\" Unit=\"Work.pas\" Class=\"TWorker\" "
              "Procedure=\"Execute\" Number=\"40\" Offset=\"0\"/>\r\n"
              "    <CallingThread ID=\"100\" Priority=\"0\" Class=\"\" MainThread=\"False\">\r\n"
              "      <Line Address=\"00403000\" Module=\"Tessaly.exe\" Unit=\"Main.pas\" Class=\"TForm1\" "
              "Procedure=\"Start\" Number=\"50\" Offset=\"1\"/>\r\n"
              "    </CallingThread>\r\n"
              "  </RunningThread>\r\n"
              "</CallStack>\r\n");

    EXPECT_EQ(log.GetItem_ModulesXML(0),
              "<Modules>\r\n"
              "  <Module Handle=\"00400000\" Name=\"Tessaly.exe\" Description=\"Byte editor\" Version=\"1.0.0.1\" "
              "Size=\"12345\" Modified=\"2026-12-10\" Path=\"C:\\Tessaly.exe\"/>\r\n"
              "  <Module Handle=\"7C800000\" Name=\"kernel32.dll\" Description=\"Kernel\" Version=\"5.1\" "
              "Size=\"999\" Modified=\"2026-01-01\" Path=\"C:\\W\\kernel32.dll\"/>\r\n"
              "</Modules>\r\n");
    EXPECT_NE(log.GetItem_ProcessesXML(0).find("<Process ID=\"42\" Name=\"Tessaly.exe\" Description=\"Byte editor\" "
                                               "Version=\"1.0.0.1\" Memory=\"2048\" Priority=\"Normal\" "
                                               "Threads=\"3\" Path=\"C:\\Tessaly.exe\"/>"),
              std::string::npos);
    EXPECT_EQ(log.GetItem_AssemblerXML(0),
              "<Assembler>\r\n"
              "  <Line Address=\"\" Command=\"\" Comment=\" Main.pas line 12\"/>\r\n"
              "  <Line Address=\"00401000\" Command=\"mov eax, [ebx]     \" Comment=\" &#060;-- EXCEPTION\"/>\r\n"
              "  <Line Address=\"00401002\" Command=\"ret\" Comment=\"\"/>\r\n"
              "</Assembler>\r\n");
    EXPECT_EQ(log.GetItem_CPUXML(0),
              "<CPU>\r\n"
              "  <Registers EAX=\"00000001\" EBX=\"00000002\" ECX=\"00000003\" EDX=\"00000004\" EDI=\"00000005\" "
              "ESP=\"0012FF00\" EIP=\"00401000\"/>\r\n"
              "  <Stack>\r\n"
              "    <Line Address=\"0012FF00\" Value=\"00401000\"/>\r\n"
              "    <Line Address=\"0012FF04\" Value=\"00000000\"/>\r\n"
              "  </Stack>\r\n"
              "  <MemoryDump>\r\n"
              "    <Line Address=\"00401000\" Bytes=\"8B 03 C3 00 00 00 00 00 00 00 00 00 00 00 00 00\" "
              "Chars=\"..............AB\"/>\r\n"
              "    <Line Address=\"00401010\" Bytes=\"41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50\" "
              "Chars=\"ABCDEFGHIJKLMNOP\"/>\r\n"
              "  </MemoryDump>\r\n"
              "</CPU>\r\n");
    EXPECT_EQ(log.GetItem_ReproduceXML(0), "");

    const std::string doc = log.GetXML();
    EXPECT_EQ(doc.rfind("<Doc>\r\n  <Log Version=\"6.0.20\">\r\n    <General>\r\n      <Group", 0), 0u);
    const std::string tail = "    </CPU>\r\n  </Log>\r\n</Doc>\r\n";
    EXPECT_EQ(doc.substr(doc.size() - tail.size()), tail);
}

TEST(LogFileXml, MissingSectionsGiveEmptyElements)
{
    TLogFile log;
    log.Append("ZorvikLog 5.1\r\n\r\nA:\r\n---\r\n  1.1 B: c\r\n\r\nCall Stack:\r\n---\r\n|x|\r\n---", -1);
    EXPECT_EQ(log.GetItem_ModulesXML(0), "<Modules/>\r\n");
    EXPECT_EQ(log.GetItem_ProcessesXML(0), "<Processes/>\r\n");
    EXPECT_EQ(log.GetItem_CallStackXML(0), "<CallStack/>\r\n");
    EXPECT_EQ(log.GetItem_CPUXML(0), "<CPU/>\r\n");
    EXPECT_EQ(log.GetItem_XML(0),
              "<Log Version=\"5.1\">\r\n"
              "  <General>\r\n"
              "    <Group ID=\"1\" Label=\"A\">\r\n"
              "      <Line ID=\"1.1\" Label=\"B\" Value=\"c\"/>\r\n"
              "    </Group>\r\n"
              "  </General>\r\n"
              "  <CallStack/>\r\n"
              "  <Modules/>\r\n"
              "  <Processes/>\r\n"
              "  <Assembler/>\r\n"
              "  <CPU/>\r\n"
              "</Log>\r\n");
}

TEST(LogFileXml, EncipheredNamesAreReadWithThePassword)
{
    TBlockCipher cipher("pw");
    auto enc = [&](const std::string& name) {
        std::string bytes = name;
        cipher.Encrypt(bytes.data(), bytes.data(), static_cast<int32_t>(bytes.size()));
        return Base64EncodeString(bytes);
    };
    std::string report = SampleReport("ID1");
    const std::string plain = "|00401000|Tessaly.exe|Main.pas  |TForm1  |Button1Click|12[3]  |";
    const std::string hidden = "|00401000|Tessaly.exe|?p" + enc("Secret") + "|?" + enc("TCls") + "|?" +
                               enc("Run") + "|12[3]|";
    report.replace(report.find(plain), plain.size(), hidden);
    const std::string mixed = "|00401100|Tessaly.exe|Main.pas  |        |@Start      |20     |";
    const std::string joined = "|00401100|Tessaly.exe|?c" + enc("Other.cpp") + "||?" + enc("TA.Go") + "|20|";
    report.replace(report.find(mixed), mixed.size(), joined);

    TLogFile log;
    log.Append(report, -1);
    EXPECT_NE(log.GetItem_CallStackXML(0).find("Unit=\"?p"), std::string::npos);
    log.SetPassword("pw");
    const std::string xml = log.GetItem_CallStackXML(0);
    EXPECT_NE(xml.find("Unit=\"Secret.pas\" Class=\"TCls\" Procedure=\"Run\""), std::string::npos) << xml;
    EXPECT_NE(xml.find("Unit=\"Other.cpp\" Class=\"TA\" Procedure=\"Go\""), std::string::npos) << xml;
    log.SetPassword("wrong");  // names that do not decipher stay as written
    EXPECT_NE(log.GetItem_CallStackXML(0).find("Unit=\"?p"), std::string::npos);
}

TEST(LogFileXml, OlderReportsKeepTheirOwnLayout)
{
    const std::string report =
        "ZorvikLog 4.2\r\n\r\nGeneral:\r\n---\r\n  1.1 A: b\r\n\r\n"
        "Call Stack:\r\n---\r\n|Address|Module|Unit|Class|Procedure|Line|\r\n---\r\n"
        "|00401000|a.exe|Main.pas|TForm1|Click|12|\r\n---\r\n\r\n"
        "Modules:\r\n---\r\n|Handle|Name|Description|Version|Size|Path|\r\n---\r\n"
        "|00400000|a.exe|App|1.0|100|C:\\a.exe|\r\n---\r\n\r\n"
        "Processes:\r\n---\r\n|ID|Name|\r\n---\r\n|1|a.exe|\r\n---\r\n\r\n"
        "Registers:\r\n---\r\nEAX: 00000001   EDI: 00000005\r\n\r\n"
        "Stack:\r\n---\r\n0012FF00: 00401000\r\n\r\n"
        "How To Reproduce:\r\n---\r\nOpen a file.\r\nPress <F5>.\r\n\r\n";
    TLogFile log;
    log.Append(report, -1);
    EXPECT_EQ(log.GetItem_Reproduce(0), "Open a file.\r\nPress <F5>");
    EXPECT_EQ(log.GetItem_ProcessesXML(0), "<Processes/>\r\n");
    EXPECT_EQ(log.GetItem_AssemblerXML(0), "<Assembler/>\r\n");
    EXPECT_EQ(log.GetItem_CallStackXML(0),
              "<CallStack>\r\n"
              "  <ExceptionThread>\r\n"
              "    <Line Address=\"00401000\" Module=\"a.exe\" Unit=\"Main.pas\" Class=\"TForm1\" "
              "Procedure=\"Click\" Number=\"12\" Offset=\"\"/>\r\n"
              "  </ExceptionThread>\r\n"
              "</CallStack>\r\n");
    EXPECT_EQ(log.GetItem_ModulesXML(0),
              "<Modules>\r\n"
              "  <Module Handle=\"00400000\" Name=\"a.exe\" Description=\"App\" Version=\"1.0\" Size=\"100\" "
              "Path=\"C:\\a.exe\"/>\r\n"
              "</Modules>\r\n");
    EXPECT_EQ(log.GetItem_ReproduceXML(0),
              "<HoToReproduce Text=\"Open a file.&#013;&#010;Press &#060;F5&#062;\"/>\r\n");
    EXPECT_NE(log.GetItem_XML(0).find("  <HoToReproduce"), std::string::npos);
}
