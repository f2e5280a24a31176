#include "LogSamples.h"

#include "editor/crashreport/support/log/LogItem.h"

std::string SampleReport(const std::string& error, const std::string& version)
{
    TLogItem item(0);
    item.AddHeader("Application");
    item.AddItem("Start Date", "Thu, 10 Dec 2026 14:00:00", true);
    item.AddItem("Name/Description", "Tessaly.exe - byte editor", true);
    item.AddHeader("Exception");
    for (int i = 1; i <= 6; ++i)
        item.AddItem("Item " + std::to_string(i), "v" + std::to_string(i), i != 3);
    item.AddItem("ID", error, true);
    item.AddItem("Count", "1", true);
    item.AddItem("Message", "Access violation at address 00401000.\nRead of address 00000000: null", true);
    const std::string rule(60, '-');
    std::string text = "ZorvikLog " + version + "\r\n\r\n" + item.GetString() + "\r\n";
    text += "Call Stack Information:\r\n" + rule + "\r\n";
    text += "|Address |Module     |Unit      |Class   |Procedure   |Line   |\r\n" + rule + "\r\n";
    text += "|*Exception Thread: ID=100; Priority=0; Class=; [Main]        |\r\n";
    text += "|00401000|Tessaly.exe|Main.pas  |TForm1  |Button1Click|12[3]  |\r\n";
    text += "|00401100|Tessaly.exe|Main.pas  |        |@Start      |20     |\r\n";
    text += "|                                                             |\r\n";
    text += "|Running Thread: ID=200; Priority=1; Class=TWorker            |\r\n";
    text += "|00402000|Tessaly.exe|Work.pas  |TWorker |Execute     |40[0]  |\r\n";
    text += "|------------------------------------------------------------|\r\n";
    text += "|Calling Thread: ID=100; Priority=0; Class=                   |\r\n";
    text += "|00403000|Tessaly.exe|Main.pas  |TForm1  |Start       |50[1]  |\r\n";
    text += rule + "\r\n\r\n";
    text += "Modules Information:\r\n" + rule + "\r\n";
    text += "|Handle  |Name       |Description|Version|Size |Modified  |Path|\r\n" + rule + "\r\n";
    text += "|00400000|Tessaly.exe|Byte editor|1.0.0.1|12345|2026-12-10|C:\\Tessaly.exe|\r\n";
    text += "|7C800000|kernel32.dll|Kernel   |5.1    |999  |2026-01-01|C:\\W\\kernel32.dll|\r\n";
    text += rule + "\r\n\r\n";
    text += "Processes Information:\r\n" + rule + "\r\n";
    text += "|ID |Name       |Description|Version|Memory|Priority|Threads|Path|\r\n" + rule + "\r\n";
    text += "|42 |Tessaly.exe|Byte editor|1.0.0.1|2048  |Normal  |3      |C:\\Tessaly.exe|\r\n";
    text += rule + "\r\n\r\n";
    text += "Assembler Information:\r\n" + rule + "\r\n";
    text += "; Main.pas line 12\r\n";
    text += "00401000  mov eax, [ebx]     ; <-- EXCEPTION\r\n";
    text += "00401002  ret\r\n\r\n";
    text += "Registers:\r\n" + rule + "\r\n";
    text += "EAX: 00000001   EDI: 00000005\r\n";
    text += "EBX: 00000002   ESI: ????    \r\n";
    text += "ECX: 00000003   ESP: 0012FF00\r\n";
    text += "EDX: 00000004   EIP: 00401000\r\n\r\n";
    text += "Stack:               Memory Dump:\r\n" + rule + "\r\n";
    text += "0012FF00: 00401000   00401000: 8B 03 C3 00 00 00 00 00 00 00 00 00 00 00 00 00  ..............AB\r\n";
    text += "0012FF04: 00000000   00401010: 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50  ABCDEFGHIJKLMNOP.";
    return text;
}
