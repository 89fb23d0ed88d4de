<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>serial port</name>
    <message>
        <location filename="../../src/platform/serial/termios_backend.cpp" line="290"/>
        <location filename="../../src/platform/serial/win32_backend.cpp" line="64"/>
        <source> ist belegt</source>
        <translation> is in use</translation>
    </message>
    <message>
        <location filename="../../src/platform/serial/termios_backend.cpp" line="292"/>
        <source> von Prozess </source>
        <translation> by process </translation>
    </message>
</context>
<context>
    <name>tkv9d</name>
    <message>
        <location filename="../../src/cli/cli.cpp" line="47"/>
        <source>  --device PATH      das serielle Gerät, das statt dem des Ports benutzt wird (\\.\COM3)
</source>
        <translation>  --device PATH      the serial device to use, instead of the port&apos;s own (\\.\COM3)
</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="66"/>
        <source>  --device PATH      das serielle Gerät, das statt dem des Ports benutzt wird
</source>
        <translation>  --device PATH      the serial device to use, instead of the port&apos;s own
</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="70"/>
        <source>Die Schnittstelle wird für tkv9d allein geöffnet: solange ein anderes Programm sie hält,
endet tkv9d mit Fehler #100003 und nennt dieses Programm. Texte, die die Leitung nicht
tragen kann (Steuerzeichen, Bytes über 0x7E, und &apos;#&apos;, das jeden Rahmen beginnt; etwa in
set programmname), werden abgelehnt, bevor etwas gesendet wird.
Strg-C (SIGINT) oder SIGTERM hält eine Übertragung nach dem Programm in Arbeit an,
schließt die Schnittstelle, sagt, wie weit sie kam, und endet mit 130 (SIGINT) oder 143
(SIGTERM); ein zweites Signal beendet sofort. watch endet darauf mit 0.
</source>
        <translation>The port is opened for tkv9d alone: while another program holds it, tkv9d stops with
Error #100003 and names that program. Texts the line cannot carry (control
characters, bytes above 0x7E, and &apos;#&apos;, which begins every frame; for example in set
programmname) are refused before anything is sent.
Ctrl-C (SIGINT) or SIGTERM stops a transfer after the program in hand, closes the
port, says how far it got and exits 130 (SIGINT) or 143 (SIGTERM); a second signal
ends at once. watch ends on them with 0.
</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="85"/>
        <source>5, COM5 oder \\.\COM5</source>
        <translation>5, COM5 or \\.\COM5</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="87"/>
        <source>5 oder COM5</source>
        <translation>5 or COM5</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="92"/>
        <source>Aufruf: tkv9d [--port N | --device PATH] [--address C] [--timeout SECONDS]
              [--json] [--trace] [--trace-file PATH] COMMAND [ARGUMENTS]
        tkv9d --help | --version
Optionen:
</source>
        <translation>usage: tkv9d [--port N | --device PATH] [--address C] [--timeout SECONDS] [--json]
             [--trace] [--trace-file PATH] COMMAND [ARGUMENTS]
       tkv9d --help | --version
options:
</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="98"/>
        <source>  --port N           COM-Port 1..256 (Vorgabe 1), als %1
</source>
        <translation>  --port N           COM port 1..256 (default 1), as %1
</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="52"/>
        <source>Die Schnittstelle wird für tkv9d allein geöffnet: solange ein anderes Programm sie
hält, endet tkv9d mit Fehler #100003 (&quot;ist belegt&quot;; Windows sagt nicht, welches
Programm sie hält). Texte, die die Leitung nicht tragen kann (Steuerzeichen, Bytes
über 0x7E, und &apos;#&apos;, das jeden Rahmen beginnt; etwa in set programmname), werden
abgelehnt, bevor etwas gesendet wird.
Strg+C hält eine Übertragung nach dem Programm in Arbeit an, schließt die
Schnittstelle, sagt, wie weit sie kam, und endet mit 130; ein zweites Strg+C beendet
sofort. watch endet darauf mit 0.
In cmd.exe wird die gemeinsame Adresse &quot;&amp;&quot; oder ^&amp; geschrieben.
</source>
        <translation>The port is opened for tkv9d alone: while another program holds it, tkv9d stops with
Error #100003 (&quot;ist belegt&quot;; Windows does not say which program holds it). Texts the
line cannot carry (control characters, bytes above 0x7E, and &apos;#&apos;, which begins every
frame; for example in set programmname) are refused before anything is sent.
Ctrl+C stops a transfer after the program in hand, closes the port, says how far it got
and exits 130; a second Ctrl+C ends at once. watch ends on it with 0.
In cmd.exe the common address is written &quot;&amp;&quot; or ^&amp;.
</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="101"/>
        <source>  --address C        Geräteadresse 1..9, oder &amp; für alle Geräte zugleich (Vorgabe
                     1); &amp; bekommt keine Antwort, daher lehnen die lesenden
                     Befehle sie ab
  --timeout SECONDS  wie lange jedes Lesen eines Bytes wartet (Vorgabe 1.5)
  --json             id, scan, get und watch geben JSON-Objekte aus, eines je
                     Zeile; ein Fehler gibt {&quot;error&quot;: N, &quot;text&quot;: &quot;...&quot;} auf
                     stderr aus
  --trace            eine Zeile je Transaktion auf stderr: Rahmen, Quittung,
                     Antwort, Dauer, Ergebnis
  --trace-file PATH  dieselben Zeilen, an PATH angehängt; nur für einen gültigen
                     Befehl geöffnet; ein Protokoll, das nicht geschrieben werden
                     kann, lässt den Befehl scheitern
  --period SECONDS   watch: Zeit von einer Lesung zur nächsten, &gt;= 0.01
                     (Vorgabe 1)
  --count N          watch: nach N Lesungen enden (Vorgabe: bis Strg-C)
  --reconnect        watch: weiter aufzeichnen, wenn die Schnittstelle
                     verschwindet (Adapter abgezogen), die fehlenden Lesungen
                     markieren, sie wieder öffnen, wenn sie zurück ist
  --help, -h         dieser Text
  --version          Name, Version und Lizenz des Programms
Befehle:
</source>
        <translation>  --address C        device address 1..9, or &amp; for every device at once (default 1);
                     &amp; gets no answer, so the reading commands refuse it
  --timeout SECONDS  how long each byte read waits (default 1.5)
  --json             id, scan, get and watch print JSON objects, one a line; a failure
                     prints {&quot;error&quot;: N, &quot;text&quot;: &quot;...&quot;} on stderr
  --trace            one line per transaction on stderr: frame, acknowledgement,
                     answer, duration, outcome
  --trace-file PATH  the same lines, appended to PATH; opened only for a valid
                     command; a trace that cannot be written fails the command
  --period SECONDS   watch: time from one reading to the next, &gt;= 0.01 (default 1)
  --count N          watch: stop after N readings (default: until Ctrl-C)
  --reconnect        watch: keep logging when the port goes away (adapter unplugged),
                     mark the missing readings, reopen it when it is back
  --help, -h         this text
  --version          the program&apos;s name, version and licence
commands:
</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="127"/>
        <source>Auf einem Terminal zeigen programs-read, programs-write und diff eine
Fortschrittszeile auf stderr. Eine Schnittstelle, die verschwindet, während sie
offen ist, wird in einer zweiten Zeile genannt (&quot;Schnittstelle nicht mehr
vorhanden&quot;).
</source>
        <translation>On a terminal, programs-read, programs-write and diff show a progress line on stderr.
A port that goes away while open is named on a second line (&quot;port no longer
present&quot;).
</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="139"/>
        <source>--address muss eins von 1..9 oder &amp; (alle Geräte) sein, nicht &apos;%1&apos;</source>
        <translation>--address must be one of 1..9 or &amp; (every device), got &apos;%1&apos;</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="150"/>
        <source>--timeout braucht eine Zahl von Sekunden, nicht &apos;%1&apos;</source>
        <translation>--timeout needs a number of seconds, got &apos;%1&apos;</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="164"/>
        <source>--period braucht eine Zahl von Sekunden von 0.01 bis 86400, nicht &apos;%1&apos;</source>
        <translation>--period needs a number of seconds from 0.01 to 86400, got &apos;%1&apos;</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="192"/>
        <source>COM %1: Schnittstelle nicht mehr vorhanden (Gerät getrennt?)</source>
        <translation>COM %1: port no longer present (device disconnected?)</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="219"/>
        <source>kein Gerät für diese Schnittstelle</source>
        <translation>no device for this port</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="232"/>
        <source>Fehler #%1: %2</source>
        <translation>Error #%1: %2</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="294"/>
        <source>%1 mehr als einmal angegeben</source>
        <translation>%1 given more than once</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="326"/>
        <source>%1 muss eine dezimale oder mit 0x hexadezimale ganze Zahl sein, nicht &apos;%2&apos;</source>
        <translation>%1 must be a decimal or 0x hexadecimal integer, got &apos;%2&apos;</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="382"/>
        <source>%1 braucht einen Wert</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="390"/>
        <source>--port muss eine Schnittstelle 1..256 sein (%1), nicht &apos;%2&apos;</source>
        <translation>--port must be a port 1..256 (%1), got &apos;%2&apos;</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="406"/>
        <source>--trace-file braucht einen Pfad</source>
        <translation>--trace-file needs a path</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="412"/>
        <source>--count muss mindestens 1 sein</source>
        <translation>--count must be at least 1</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="419"/>
        <source>Aufruf: tkv9d [OPTIONS] %1 %2
</source>
        <translation>usage: tkv9d [OPTIONS] %1 %2
</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="432"/>
        <source>unbekannte Option %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="443"/>
        <source>kein Befehl angegeben</source>
        <translation>no command given</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="447"/>
        <source>%1 gehört zu watch, nicht zu %2</source>
        <translation>%1 belongs to watch, not to %2</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="454"/>
        <source>%1 hat keine Option %2</source>
        <translation>%1 has no option %2</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="457"/>
        <source>%1 nimmt %2 Argument(e)</source>
        <translation>%1 takes %2 argument(s)</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="461"/>
        <source>unbekannter Befehl %1</source>
        <translation>unknown command %1</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="471"/>
        <source>Hinweis: vor dem Abbruch vollständig ausgeführt.</source>
        <translation>Note: carried out in full before the interruption.</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="499"/>
        <source>Protokolldatei %1 kann nicht geöffnet werden: %2</source>
        <translation>cannot open trace file %1: %2</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="518"/>
        <source>tkv9d: Protokolldatei %1 konnte nicht geschrieben werden</source>
        <translation>tkv9d: trace file %1 could not be written</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="522"/>
        <source>tkv9d: stdout konnte nicht geschrieben werden</source>
        <translation>tkv9d: stdout could not be written</translation>
    </message>
    <message>
        <location filename="../../src/cli/cli.cpp" line="547"/>
        <source>Mehr mit &apos;tkv9d --help&apos;.</source>
        <translation>Try &apos;tkv9d --help&apos;.</translation>
    </message>
    <message>
        <location filename="../../src/cli/interrupt.cpp" line="37"/>
        <source>tkv9d: sofort beendet</source>
        <translation>tkv9d: ended at once</translation>
    </message>
    <message>
        <location filename="../../src/cli/link_commands.cpp" line="16"/>
        <source>Programmnummer</source>
        <translation>program number</translation>
    </message>
    <message>
        <location filename="../../src/cli/main.cpp" line="14"/>
        <source>tkv9d: ein Argument ist kein gültiger Text</source>
        <translation>tkv9d: an argument is no valid text</translation>
    </message>
    <message>
        <location filename="../../src/cli/parameter_commands.cpp" line="44"/>
        <source>VALUE muss eine Zahl wie 1.5 oder -2e-3 sein, nicht &apos;%1&apos;</source>
        <translation>VALUE must be a number like 1.5 or -2e-3, got &apos;%1&apos;</translation>
    </message>
    <message>
        <location filename="../../src/cli/parameter_commands.cpp" line="57"/>
        <source>VALUE muss eine dezimale ganze Zahl sein, nicht &apos;%1&apos;</source>
        <translation>VALUE must be a decimal integer, got &apos;%1&apos;</translation>
    </message>
    <message>
        <location filename="../../src/cli/parameter_commands.cpp" line="136"/>
        <source>HEX muss eine gerade Zahl Hex-Ziffern haben, nicht %1</source>
        <translation>HEX must have an even number of hex digits, got %1</translation>
    </message>
    <message>
        <location filename="../../src/cli/parameter_commands.cpp" line="144"/>
        <source>HEX darf nur Hex-Ziffern enthalten, nicht &apos;%1&apos;</source>
        <translation>HEX may hold hex digits only, got &apos;%1&apos;</translation>
    </message>
    <message>
        <location filename="../../src/cli/program_commands.cpp" line="32"/>
        <source>Die Datei blieb unverändert; das Gerät hat seine Arbeitsparameter zurück.</source>
        <translation>The file was left as it was; the device has its working parameters back.</translation>
    </message>
    <message>
        <location filename="../../src/cli/program_commands.cpp" line="37"/>
        <source>Die Programme danach sind die alten; die Arbeitsparameter des Geräts halten Eintrag A der Datei, ohne ein geschriebenes Programm die alten.</source>
        <translation>The programs after it are the old ones; the device&apos;s working parameters hold entry A of the file, or the old ones when no program was written.</translation>
    </message>
    <message>
        <location filename="../../src/cli/program_commands.cpp" line="42"/>
        <source>Alle Programme sind geschrieben; der Vergleich mit dem Gerät wurde abgebrochen.</source>
        <translation>All programs are written; the comparison with the device was stopped.</translation>
    </message>
    <message>
        <location filename="../../src/cli/program_commands.cpp" line="57"/>
        <source>FILE %1 ist die serielle Schnittstelle selbst</source>
        <translation>FILE %1 is the serial port itself</translation>
    </message>
    <message>
        <location filename="../../src/cli/program_commands.cpp" line="79"/>
        <source>programs-write --verify liest von einem Gerät zurück; --address &amp; bekommt keine Antwort</source>
        <translation>programs-write --verify reads back from one device; --address &amp; gets no answer</translation>
    </message>
    <message>
        <location filename="../../src/cli/program_commands.cpp" line="107"/>
        <location filename="../../src/cli/verify_commands.cpp" line="64"/>
        <location filename="../../src/cli/verify_commands.cpp" line="66"/>
        <source>Hinweis: </source>
        <translation>Note: </translation>
    </message>
    <message>
        <location filename="../../src/cli/progress.cpp" line="62"/>
        <source>Restzeit wird ermittelt …</source>
        <translation>Estimating the time left …</translation>
    </message>
    <message>
        <location filename="../../src/cli/progress.cpp" line="64"/>
        <source>Noch etwa %1 s</source>
        <translation>About %1 s left</translation>
    </message>
    <message>
        <location filename="../../src/cli/verify_commands.cpp" line="44"/>
        <source>Das Gerät hat seine Arbeitsparameter zurück.</source>
        <translation>The device has its working parameters back.</translation>
    </message>
    <message>
        <location filename="../../src/cli/verify_commands.cpp" line="52"/>
        <source>--entry muss A oder 1..16 sein</source>
        <translation>--entry must be A or 1..16</translation>
    </message>
</context>
<context>
    <name>tkv9d serve</name>
    <message>
        <location filename="../../src/cli/serve.cpp" line="62"/>
        <source>--listen braucht ADDRESS:PORT, wie 127.0.0.1:5025 oder [::1]:5025, nicht &apos;%1&apos;</source>
        <translation>--listen needs ADDRESS:PORT, as 127.0.0.1:5025 or [::1]:5025, got &apos;%1&apos;</translation>
    </message>
    <message>
        <location filename="../../src/cli/serve.cpp" line="92"/>
        <source>--allow braucht ADDRESS oder ADDRESS/BITS, wie 192.168.1.0/24, nicht &apos;%1&apos;</source>
        <translation>--allow needs ADDRESS or ADDRESS/BITS, as 192.168.1.0/24, got &apos;%1&apos;</translation>
    </message>
    <message>
        <location filename="../../src/cli/serve.cpp" line="120"/>
        <source>--max-clients muss 1..1000 sein</source>
        <translation>--max-clients must be 1..1000</translation>
    </message>
    <message>
        <location filename="../../src/cli/serve.cpp" line="126"/>
        <source>--idle-timeout muss 0..86400 Sekunden sein</source>
        <translation>--idle-timeout must be 0..86400 seconds</translation>
    </message>
    <message>
        <location filename="../../src/cli/serve.cpp" line="611"/>
        <source>Das Gerät als SCPI-Instrument an einem rohen TCP-Socket (VISA:
TCPIP0::HOST::5025::SOCKET), eine Zeile je Nachricht, LF an ihrem Ende. Protokolliert
auf stderr; SIGINT oder SIGTERM beenden es mit 0.
Optionen:
  --listen ADDRESS:PORT  wo gelauscht wird (Vorgabe 127.0.0.1:5025; [::1]:5025 für IPv6)
  --allow ADDRESS[/BITS] nur diese Rechner bedienen; wiederholbar (Vorgabe: jeden
                         Rechner, der die Adresse erreicht; eine Warnung, außer beim
                         Loopback)
  --read-only            jeden Befehl ablehnen, der das Gerät ändert (-203)
  --max-clients N        Clients zugleich, 1..1000 (Vorgabe 8); ein weiterer erfährt
                         den Grund und wird geschlossen
  --idle-timeout SECONDS einen Client schließen, der so lange nichts sandte (Vorgabe 0:
                         nie)
  --vxi11                auch ein VXI-11-Instrument (VISA: TCPIP0::HOST::inst0::INSTR),
                         gefunden über den Port-Mapper an Port 111
Eine Schnittstelle, die verschwindet (Adapter abgezogen), wird jede Sekunde neu
versucht; solange sie fort ist, antworten Abfragen -241, und nichts wird gesendet.
</source>
        <translation>The device as a SCPI instrument on a raw TCP socket (VISA: TCPIP0::HOST::5025::SOCKET),
one line a message, LF at its end. Logs on stderr; SIGINT or SIGTERM ends it with 0.
options:
  --listen ADDRESS:PORT  where to listen (default 127.0.0.1:5025; [::1]:5025 for IPv6)
  --allow ADDRESS[/BITS] serve only these hosts; repeatable (default: every host that
                         reaches the address; a warning unless that is the loopback)
  --read-only            refuse every command that changes the device (-203)
  --max-clients N        clients at once, 1..1000 (default 8); a further one is told why
                         and closed
  --idle-timeout SECONDS close a client that sent nothing for so long (default 0: never)
  --vxi11                also a VXI-11 instrument (VISA: TCPIP0::HOST::inst0::INSTR),
                         found through the port mapper on port 111
A port that goes away (adapter unplugged) is tried again every second; while it is away
queries answer -241 and nothing is sent.
</translation>
    </message>
</context>
<context>
    <name>tkv9d watch</name>
    <message>
        <location filename="../../src/cli/watch.cpp" line="169"/>
        <source>Hinweis: COM %1 wieder verbunden</source>
        <translation>Note: COM %1 connected again</translation>
    </message>
    <message>
        <location filename="../../src/cli/watch.cpp" line="185"/>
        <source>Hinweis: anderes Gerät an COM %1: %2, erwartet %3; nicht gelesen, Schnittstelle freigegeben</source>
        <translation>Note: another device at COM %1: %2, expected %3; not read, port released</translation>
    </message>
    <message>
        <location filename="../../src/cli/watch.cpp" line="203"/>
        <source>Hinweis: %1; watch wartet auf sie</source>
        <translation>Note: %1; watch waits for it</translation>
    </message>
    <message>
        <location filename="../../src/cli/watch.cpp" line="211"/>
        <source>Hinweis: %1 Lesungen nacheinander fehlgeschlagen, watch endet</source>
        <translation>Note: %1 readings in a row failed, watch ends</translation>
    </message>
    <message>
        <location filename="../../src/cli/watch.cpp" line="235"/>
        <source>Hinweis: Lesung %1 dauerte %2 s, länger als die Periode (%3 s); %4 Zeitpunkt(e) ausgelassen</source>
        <translation>Note: reading %1 took %2 s, longer than the period (%3 s); %4 time(s) left out</translation>
    </message>
    <message>
        <location filename="../../src/cli/watch.cpp" line="247"/>
        <source>Hinweis: %1 von %2 Lesungen dauerten länger als die Periode</source>
        <translation>Note: %1 of %2 readings took longer than the period</translation>
    </message>
    <message>
        <location filename="../../src/cli/watch.cpp" line="264"/>
        <source>watch: unbekanntes Feld %1</source>
        <translation>watch: unknown field %1</translation>
    </message>
</context>
<context>
    <name>tkv9d-sim</name>
    <message>
        <location filename="../../src/sim/fault_option.cpp" line="82"/>
        <source>%1 braucht eine ganze Zahl ab 1</source>
        <translation>%1 needs a whole number from 1</translation>
    </message>
    <message>
        <location filename="../../src/sim/fault_option.cpp" line="87"/>
        <source>prob braucht eine Zahl über 0 bis 1</source>
        <translation>prob needs a number above 0 up to 1</translation>
    </message>
    <message>
        <location filename="../../src/sim/fault_option.cpp" line="91"/>
        <source>command braucht ein bis drei Befehlsbuchstaben, etwa C1R oder N</source>
        <translation>command needs one to three command letters, such as C1R or N</translation>
    </message>
    <message>
        <location filename="../../src/sim/fault_option.cpp" line="96"/>
        <source>address braucht eine Geräteadresse 1..9, a..f</source>
        <translation>address needs a device address 1..9, a..f</translation>
    </message>
    <message>
        <location filename="../../src/sim/fault_option.cpp" line="102"/>
        <source>byte braucht ein Zeichen oder 0x00..0x7F, nicht ACK, NAK oder CAN</source>
        <translation>byte needs one character or 0x00..0x7F, not ACK, NAK or CAN</translation>
    </message>
    <message>
        <location filename="../../src/sim/fault_option.cpp" line="109"/>
        <source>delta braucht eine Zahl über 0</source>
        <translation>delta needs a number above 0</translation>
    </message>
    <message>
        <location filename="../../src/sim/fault_option.cpp" line="114"/>
        <source>byte-ms braucht eine ganze Zahl ms von 1 bis 10000</source>
        <translation>byte-ms needs a whole number of ms from 1 to 10000</translation>
    </message>
    <message>
        <location filename="../../src/sim/fault_option.cpp" line="118"/>
        <source>unbekannter Schlüssel &apos;%1&apos;</source>
        <translation>unknown key &apos;%1&apos;</translation>
    </message>
    <message>
        <location filename="../../src/sim/fault_option.cpp" line="126"/>
        <source>Störungen: --fault KIND[:KEY=VALUE,...], so oft wie nötig; die erste, die zu einem
Rahmen passt, gilt
  Arten, der Befehl nicht ausgeführt:
    nak, can        NAK oder CAN statt ACK
    silent          gar keine Antwort
    garbage         ein anderes Byte statt ACK (byte=C oder byte=0xHH; Vorgabe zufällig)
  Arten, der Befehl ausgeführt:
    broken          die Antwortzeile mittendrin abgebrochen (nach ACK allein: nichts)
    other-address   die Antwortzeile von einer anderen Adresse
    wrong-echo      die Antwortzeile wiederholt andere Befehlsbuchstaben (Speicher:
                    einen anderen Anfang)
    err             ein Parameterlesen mit err beantwortet
    overlong        29 Bytes ohne CR (Speicher: zwei Ziffern zu viel)
    lower-hex       Hex-Wörter und Speicherziffern in Kleinbuchstaben
    checksum        ein Speicherlesen mit einer um eins falschen Prüfsumme
    store-different ein Parameterschreiben quittiert, ein anderer Wert gespeichert
                    (delta=D; Vorgabe ein Schritt der Auflösung des Werts)
    slow            die Bytes der Antwort byte-ms=N ms auseinander (Vorgabe 5)
  Schlüssel, alle wahlfrei; jede Störung zählt die Rahmen, auf die sie wirken könnte,
  je Gerät:
    every=N     nur jeden N-ten davon           after=N  erst ab dem N-ten
    prob=P      jeden mit Wahrscheinlichkeit P  count=N  nur N-mal
    command=L   nur Befehle, deren Buchstaben mit L beginnen (C1R, C1, N, IDR, BDR)
    address=C   nur das Gerät an Adresse C (Vorgabe jedes Gerät)
  --seed S     der Generator für prob und garbage (Vorgabe ein neuer, ausgegeben)
  Beispiele: --fault nak:every=5  --fault silent:after=100  --fault garbage:prob=0.01
             --fault slow:byte-ms=5  --fault wrong-echo:command=N
             --fault store-different:command=C1,delta=0.002
</source>
        <translation>faults: --fault KIND[:KEY=VALUE,...], as often as needed; the first that fits a frame wins
  kinds, the command not carried out:
    nak, can        NAK or CAN in place of ACK
    silent          no answer at all
    garbage         another byte in place of ACK (byte=C or byte=0xHH; default random)
  kinds, the command carried out:
    broken          the answer line broken off halfway (after ACK alone: nothing)
    other-address   the answer line from another address
    wrong-echo      the answer line echoes other command letters (memory: another start)
    err             a parameter read answered with err
    overlong        29 bytes without CR (memory: two digits too many)
    lower-hex       hex words and memory digits in lower case
    checksum        a memory read with its checksum one off
    store-different a parameter write acknowledged, another value stored
                    (delta=D; default one step of the value&apos;s resolution)
    slow            the answer&apos;s bytes byte-ms=N ms apart (default 5)
  keys, all optional; each fault counts the frames it could act on, per device:
    every=N     only every N-th of them       after=N  only from the N-th on
    prob=P      each with probability P       count=N  only N times
    command=L   only commands whose letters begin with L (C1R, C1, N, IDR, BDR)
    address=C   only the device at address C (default every device)
  --seed S     the generator for prob and garbage (default a new one, printed)
  examples: --fault nak:every=5  --fault silent:after=100  --fault garbage:prob=0.01
            --fault slow:byte-ms=5  --fault wrong-echo:command=N
            --fault store-different:command=C1,delta=0.002
</translation>
    </message>
    <message>
        <location filename="../../src/sim/fault_option.cpp" line="173"/>
        <source>unbekannte Störung &apos;%1&apos;</source>
        <translation>unknown fault &apos;%1&apos;</translation>
    </message>
    <message>
        <location filename="../../src/sim/fault_option.cpp" line="188"/>
        <source>&apos;%1&apos; ist nicht KEY=VALUE</source>
        <translation>&apos;%1&apos; is not KEY=VALUE</translation>
    </message>
    <message>
        <location filename="../../src/sim/line.cpp" line="70"/>
        <source>Protokolldatei %1 kann nicht geöffnet werden</source>
        <translation>cannot open log file %1</translation>
    </message>
    <message>
        <location filename="../../src/sim/line.cpp" line="87"/>
        <location filename="../../src/sim/line.cpp" line="98"/>
        <source>Adresse schon vergeben</source>
        <translation>address already taken</translation>
    </message>
    <message>
        <location filename="../../src/sim/main.cpp" line="54"/>
        <source>Aufruf: tkv9d-sim --port PORT [--address C]... [--dlq3 C] [--pace] [--log FILE]
                  [--fault KIND[:KEY=VALUE,...]]... [--seed S]
        tkv9d-sim --help | --version
  --port PORT  die zu bedienende COM-Schnittstelle: 10, COM10 oder \\.\COM10,
               oder der Name eines anderen seriellen Geräts; etwa ein Ende eines
               Nullmodem-Paars (com0com: COM10 &lt;-&gt; COM11); Windows hat keine
               Pseudo-Terminals
  --com N      dasselbe wie --port
</source>
        <translation>usage: tkv9d-sim --port PORT [--address C]... [--dlq3 C] [--pace] [--log FILE]
                 [--fault KIND[:KEY=VALUE,...]]... [--seed S]
       tkv9d-sim --help | --version
  --port PORT  the COM port to serve: 10, COM10 or \\.\COM10, or another serial device&apos;s
               name; for example one end of a null-modem pair (com0com: COM10 &lt;-&gt; COM11);
               Windows has no pseudo-terminals
  --com N      the same as --port
</translation>
    </message>
    <message>
        <location filename="../../src/sim/main.cpp" line="65"/>
        <source>Aufruf: tkv9d-sim [--com N | --port NAME] [--address C]... [--dlq3 C] [--pace]
                  [--log FILE] [--fault KIND[:KEY=VALUE,...]]... [--seed S]
        tkv9d-sim --help | --version
  --com N      die Leitung als COM&lt;N&gt; verknüpfen (N oder COM&lt;N&gt;, 1..256, Vorgabe 1); ein
               vorhandenes COM&lt;N&gt; wird nur ersetzt, wenn es ein verschwundenes
               Pseudo-Terminal nennt, sonst Ende mit 1
  --port NAME  eine Schnittstelle, wie --com sie nimmt, oder eine vorhandene serielle
               Schnittstelle, ein Gerätepfad, die bedient wird; etwa ein Ende eines
               Nullmodem-Paars
</source>
        <translation>usage: tkv9d-sim [--com N | --port NAME] [--address C]... [--dlq3 C] [--pace] [--log FILE]
                 [--fault KIND[:KEY=VALUE,...]]... [--seed S]
       tkv9d-sim --help | --version
  --com N      link the line as COM&lt;N&gt; (N or COM&lt;N&gt;, 1..256, default 1); a COM&lt;N&gt; that is
               there is replaced only when it names a pseudo-terminal that is gone, else
               exit 1
  --port NAME  a port as --com takes it, or a serial port that exists, a device path, to
               serve; for example one end of a null-modem pair
</translation>
    </message>
    <message>
        <location filename="../../src/sim/main.cpp" line="80"/>
        <source>  --address C  ein TKV-9D an Adresse C (1..9, a..f); Vorgabe eines an 1
  --dlq3 C     ein DLQ3-Speichergerät an Adresse C
  --pace       im Tempo einer 9600-Baud-Leitung antworten
  --log FILE   jeden Rahmen und jede Antwort nach FILE schreiben, und jede angewandte
               Störung; ein Protokoll, das nicht geschrieben werden kann, beendet den
               Simulator mit Status 1
  --help, -h   dieser Text
  --version    Name, Version und Lizenz des Programms
</source>
        <translation>  --address C  a TKV-9D at address C (1..9, a..f); default one at 1
  --dlq3 C     a DLQ3 memory device at address C
  --pace       answer at the speed of a 9600 baud line
  --log FILE   write every frame and answer to FILE, and each fault applied; a log
               that cannot be written ends the simulator with exit status 1
  --help, -h   this text
  --version    the program&apos;s name, version and licence
</translation>
    </message>
    <message>
        <location filename="../../src/sim/main.cpp" line="100"/>
        <source>Mehr mit &apos;tkv9d-sim --help&apos;.</source>
        <translation>Try &apos;tkv9d-sim --help&apos;.</translation>
    </message>
    <message>
        <location filename="../../src/sim/main.cpp" line="137"/>
        <source>%1 braucht einen Wert</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <location filename="../../src/sim/main.cpp" line="149"/>
        <source>--port braucht einen Namen einer Schnittstelle</source>
        <translation>--port needs a port name</translation>
    </message>
    <message>
        <location filename="../../src/sim/main.cpp" line="152"/>
        <source>ungültige Nummer einer Schnittstelle &apos;%1&apos; (1..256, als 5 oder COM5)</source>
        <translation>bad port number &apos;%1&apos; (1..256, as 5 or COM5)</translation>
    </message>
    <message>
        <location filename="../../src/sim/main.cpp" line="158"/>
        <source>ungültige Adresse</source>
        <translation>bad address</translation>
    </message>
    <message>
        <location filename="../../src/sim/main.cpp" line="166"/>
        <source>--log braucht einen Dateinamen</source>
        <translation>--log needs a file name</translation>
    </message>
    <message>
        <location filename="../../src/sim/main.cpp" line="171"/>
        <source>ungültiges --fault &apos;%1&apos;: %2</source>
        <translation>bad --fault &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <location filename="../../src/sim/main.cpp" line="179"/>
        <source>--seed braucht eine ganze Zahl</source>
        <translation>--seed needs a whole number</translation>
    </message>
    <message>
        <location filename="../../src/sim/main.cpp" line="182"/>
        <source>unbekannte Option %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <location filename="../../src/sim/main.cpp" line="187"/>
        <source>Windows hat keine Pseudo-Terminals; die zu bedienende COM-Schnittstelle mit --port angeben</source>
        <translation>Windows has no pseudo-terminals; give the COM port to serve with --port</translation>
    </message>
    <message>
        <location filename="../../src/sim/main.cpp" line="198"/>
        <source>--fault für Adresse %1, wo kein Gerät ist</source>
        <translation>--fault for address %1, where there is no device</translation>
    </message>
    <message>
        <location filename="../../src/sim/main.cpp" line="274"/>
        <source>%1 ist im Weg (keine Verknüpfung)</source>
        <translation>%1 is in the way (not a link)</translation>
    </message>
    <message>
        <location filename="../../src/sim/main.cpp" line="275"/>
        <source>%1 ist im Weg (eine Verknüpfung auf %2)</source>
        <translation>%1 is in the way (a link to %2)</translation>
    </message>
    <message>
        <location filename="../../src/sim/main.cpp" line="279"/>
        <source>; %1 ist belegt von %2</source>
        <translation>; %1 is in use by %2</translation>
    </message>
    <message>
        <location filename="../../src/sim/main.cpp" line="281"/>
        <source>; ein anderes --com wählen oder es entfernen</source>
        <translation>; choose another --com or remove it</translation>
    </message>
    <message>
        <location filename="../../src/sim/main.cpp" line="308"/>
        <source>tkv9d-sim: ein Argument ist kein gültiger Text</source>
        <translation>tkv9d-sim: an argument is no valid text</translation>
    </message>
    <message>
        <location filename="../../src/sim/main.cpp" line="326"/>
        <source>tkv9d-sim: SIGINT und SIGTERM (Strg+C) können nicht übernommen werden</source>
        <translation>tkv9d-sim: cannot take SIGINT and SIGTERM (Ctrl+C)</translation>
    </message>
    <message>
        <location filename="../../src/sim/main.cpp" line="356"/>
        <source>tkv9d-sim: das Protokoll %1 kann nicht geschrieben werden</source>
        <translation>tkv9d-sim: cannot write the log %1</translation>
    </message>
</context>
</TS>
