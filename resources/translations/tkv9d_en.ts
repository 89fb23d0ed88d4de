<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>Aufzeichnung</name>
    <message>
        <source>Als CSV speichern...</source>
        <translation>Save as CSV...</translation>
    </message>
    <message>
        <source>Als PNG speichern...</source>
        <translation>Save as PNG...</translation>
    </message>
    <message>
        <source>Programmierte Kurve [A]</source>
        <translation>Programmed curve [A]</translation>
    </message>
    <message>
        <source>I-Ist [A]</source>
        <translation>I actual [A]</translation>
    </message>
    <message>
        <source>U-Ist [V]</source>
        <translation>U actual [V]</translation>
    </message>
    <message>
        <source>Messung fehlgeschlagen</source>
        <translation>Measurement failed</translation>
    </message>
    <message>
        <source>Messwerte aufzeichnen</source>
        <translation>Record measurements</translation>
    </message>
    <message>
        <source>Aufzeichnung beenden</source>
        <translation>Stop recording</translation>
    </message>
    <message>
        <source>Messabstand [s]</source>
        <translation>Interval [s]</translation>
    </message>
    <message>
        <source>alle</source>
        <translation>every</translation>
    </message>
    <message>
        <source>Die letzte Aufzeichnung ist nicht gespeichert. Möchten Sie sie speichern, bevor eine neue beginnt?</source>
        <translation>The last recording has not been saved. Do you want to save it before a new one begins?</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Verwerfen</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1 Messwerte, %2 fehlgeschlagen, %3 ausgelassen</source>
        <translation>%1 readings, %2 failed, %3 missed</translation>
    </message>
    <message>
        <source>Arbeitsparameter</source>
        <translation>Working parameters</translation>
    </message>
    <message>
        <source>Programm %1</source>
        <translation>Program %1</translation>
    </message>
    <message>
        <source>Messwerte vom %1, alle %2, %3 „%4“</source>
        <translation>Readings of %1, every %2, %3 “%4”</translation>
    </message>
    <message>
        <source>Messwerte als CSV speichern</source>
        <translation>Save readings as CSV</translation>
    </message>
    <message>
        <source>CSV, Komma und Dezimalpunkt (*.csv);;CSV für deutsche Tabellenkalkulation, Semikolon und Dezimalkomma (*.csv)</source>
        <translation>CSV, comma and decimal point (*.csv);;CSV for German spreadsheets, semicolon and decimal comma (*.csv)</translation>
    </message>
    <message>
        <source>Messwerte als PNG speichern</source>
        <translation>Save readings as PNG</translation>
    </message>
    <message>
        <source>Zeit [s]</source>
        <translation>Time [s]</translation>
    </message>
    <message>
        <source>Strom [A]</source>
        <translation>Current [A]</translation>
    </message>
    <message>
        <source>Spannung [V]</source>
        <translation>Voltage [V]</translation>
    </message>
    <message>
        <source>Aufzeichnung</source>
        <translation>Recording</translation>
    </message>
    <message>
        <source>Programmierte Kurve, I-Ist [A] und U-Ist [V] über der Zeit [s]</source>
        <translation>Programmed curve, I actual [A] and U actual [V] over time [s]</translation>
    </message>
</context>
<context>
    <name>COMPANEL</name>
    <message>
        <source>COM-Einstellungen</source>
        <translation>COM settings</translation>
    </message>
    <message>
        <source>COM-Port</source>
        <translation>COM port</translation>
    </message>
    <message>
        <source>nicht geöffnet</source>
        <translation>not open</translation>
    </message>
    <message>
        <source>Adresse</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source>8</source>
        <translation>8</translation>
    </message>
    <message>
        <source>9</source>
        <translation>9</translation>
    </message>
    <message>
        <source>alle</source>
        <translation>every</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>ID lesen</source>
        <translation>Read ID</translation>
    </message>
    <message>
        <source>Scann</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>Suche Gerät ...</source>
        <translation>Searching for device ...</translation>
    </message>
    <message>
        <source>Zurück zum Hauptfenster</source>
        <translation>Back to the main window</translation>
    </message>
    <message>
        <source>Fehler</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Fehlernummer</source>
        <translation>Error number</translation>
    </message>
    <message>
        <source>Fehlertext</source>
        <translation>Error text</translation>
    </message>
    <message>
        <source>Datei</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Fenster</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation>Ctrl+Q</translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation>Quit</translation>
    </message>
</context>
<context>
    <name>Com</name>
    <message>
        <source>Gerät an Adresse %1 gefunden – verwendet wird Adresse %2; zum Verwenden Adresse wählen</source>
        <translation>Device found at address %1 – address %2 is in use; choose the address to use it</translation>
    </message>
    <message>
        <source>Schnittstelle über „Fenster → Com“ wählen</source>
        <translation>Choose the port under “Window → Com”</translation>
    </message>
    <message>
        <source>Interner Fehler</source>
        <translation>Internal error</translation>
    </message>
    <message>
        <source>%1 ist zu klein</source>
        <translation>%1 is too small</translation>
    </message>
    <message>
        <source>COM-Port</source>
        <translation>COM port</translation>
    </message>
    <message>
        <source>Neu verbinden</source>
        <translation>Reconnect</translation>
    </message>
    <message>
        <source> (Adresse %1)</source>
        <translation> (address %1)</translation>
    </message>
    <message>
        <source>„%1“ an Adresse %2 nicht zu Ende geführt</source>
        <translation>“%1” at address %2 not completed</translation>
    </message>
    <message>
        <source>„%1“ an Adresse %2 fehlgeschlagen</source>
        <translation>“%1” at address %2 failed</translation>
    </message>
    <message>
        <source>ID lesen</source>
        <translation>Read ID</translation>
    </message>
    <message>
        <source>ID gelesen</source>
        <translation>ID read</translation>
    </message>
    <message>
        <source>Scann</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>%1 getrennt – wird wieder verbunden, sobald der Adapter zurück ist</source>
        <translation>%1 disconnected – will reconnect as soon as the adapter is back</translation>
    </message>
    <message>
        <source>An %1 antwortet ein anderes Gerät (%2) – nicht verbunden</source>
        <translation>A different device answers at %1 (%2) – not connected</translation>
    </message>
    <message>
        <source>%1 wieder verbunden</source>
        <translation>%1 reconnected</translation>
    </message>
    <message>
        <source>Abgebrochen, bevor eine Adresse abgefragt wurde.</source>
        <translation>Cancelled before any address was queried.</translation>
    </message>
    <message>
        <source>Abgebrochen nach Adresse %1 von %2.</source>
        <translation>Cancelled after address %1 of %2.</translation>
    </message>
    <message>
        <source>Adresse %1 wird abgefragt</source>
        <translation>Querying address %1</translation>
    </message>
    <message>
        <source>Suche nach Gerät %1</source>
        <translation>Searching for device %1</translation>
    </message>
    <message>
        <source>nicht geöffnet</source>
        <translation>not open</translation>
    </message>
    <message>
        <source> getrennt</source>
        <translation> disconnected</translation>
    </message>
    <message>
        <source> wird wieder verbunden</source>
        <translation> reconnecting</translation>
    </message>
</context>
<context>
    <name>Datei</name>
    <message>
        <source>Unbenannt</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>: schreibgeschützt</source>
        <translation>: write-protected</translation>
    </message>
    <message>
        <source>: Datenträger voll</source>
        <translation>: disk full</translation>
    </message>
    <message>
        <source>: Ordner nicht vorhanden</source>
        <translation>: folder does not exist</translation>
    </message>
    <message>
        <source>: ist ein Ordner, keine Datei</source>
        <translation>: is a folder, not a file</translation>
    </message>
    <message>
        <source>Im Ordner ließ sich keine neue Datei anlegen; die Datei wurde direkt überschrieben und ist jetzt unvollständig.</source>
        <translation>The folder took no new file; the file was overwritten directly and is now incomplete.</translation>
    </message>
    <message>
        <source>: keine gewöhnliche Datei (Ordner, Pipe oder Gerät)</source>
        <translation>: not a regular file (folder, pipe or device)</translation>
    </message>
    <message>
        <source>erwartet: V %1
gefunden: V %2</source>
        <translation>expected: V %1
found: V %2</translation>
    </message>
    <message>
        <source>Fehler im Prüfprogramm</source>
        <translation>Error in the test program</translation>
    </message>
    <message>
        <source>Fehler in Programm %1.
Datei wurde nicht gespeichert.</source>
        <translation>Error in program %1.
The file was not saved.</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Öffnen</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Möchten Sie die Änderungen in %1 speichern?</source>
        <translation>Do you want to save the changes to %1?</translation>
    </message>
    <message>
        <source>Datei speichern</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>Ja</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Nein</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>Eingabe</name>
    <message>
        <source>Wert</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>%1: höchstens %2</source>
        <translation>%1: at most %2</translation>
    </message>
    <message>
        <source>%1: mindestens %2</source>
        <translation>%1: at least %2</translation>
    </message>
    <message>
        <source>%1: nur ganze Zahlen</source>
        <translation>%1: whole numbers only</translation>
    </message>
    <message>
        <source>%1: höchstens %2 Nachkommastelle</source>
        <translation>%1: at most %2 decimal place</translation>
    </message>
    <message>
        <source>%1: höchstens %2 Nachkommastellen</source>
        <translation>%1: at most %2 decimal places</translation>
    </message>
</context>
<context>
    <name>Fenster</name>
    <message>
        <source>Com</source>
        <translation>Com</translation>
    </message>
    <message>
        <source>Hauptfenster</source>
        <translation>Main window</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
</context>
<context>
    <name>Hauptfenster</name>
    <message>
        <source>Der TKV-9D wird angehalten, falls er eine Kurve abfährt: Zum Lesen werden seine Programme in seine Arbeitsparameter geladen.</source>
        <translation>The TKV-9D is stopped if it is running a curve: to be read, its programs are loaded into its working parameters.</translation>
    </message>
    <message>
        <source>Nicht gespeicherte Änderungen gehen verloren: Die gelesenen Programme ersetzen sie.</source>
        <translation>Unsaved changes will be lost: the programs read replace them.</translation>
    </message>
    <message>
        <source>Trotzdem vom TKV-9D lesen?</source>
        <translation>Read from the TKV-9D anyway?</translation>
    </message>
    <message>
        <source>Programme vom TKV-9D lesen</source>
        <translation>Read programs from the TKV-9D</translation>
    </message>
    <message>
        <source>Ja</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Nein</source>
        <translation>No</translation>
    </message>
    <message>
        <source> (Adresse %1)</source>
        <translation> (address %1)</translation>
    </message>
    <message>
        <source>Die Arbeitsparameter des TKV-9D werden als Programm %1 gespeichert; was dort gespeichert ist, geht verloren.</source>
        <translation>The working parameters of the TKV-9D are stored as program %1; what is stored there is lost.</translation>
    </message>
    <message>
        <source>Programm %1 im TKV-9D überschreiben?</source>
        <translation>Overwrite program %1 in the TKV-9D?</translation>
    </message>
    <message>
        <source>Im TKV-9D als Programm speichern</source>
        <translation>Store as program in the TKV-9D</translation>
    </message>
    <message>
        <source>%1 Steuerung</source>
        <translation>%1 Control</translation>
    </message>
    <message>
        <source>vom %1 lesen</source>
        <translation>read from %1</translation>
    </message>
    <message>
        <source>zum %1 schreiben</source>
        <translation>write to %1</translation>
    </message>
    <message>
        <source>%1 steuern</source>
        <translation>Control %1</translation>
    </message>
    <message>
        <source>Programme vom TKV-9D gelesen</source>
        <translation>Programs read from the TKV-9D</translation>
    </message>
    <message>
        <source>Programme zu TKV-9D schreiben</source>
        <translation>Write programs to TKV-9D</translation>
    </message>
    <message>
        <source>Programme zum TKV-9D geschrieben</source>
        <translation>Programs written to the TKV-9D</translation>
    </message>
    <message>
        <source>Programm einstellen</source>
        <translation>Set program</translation>
    </message>
    <message>
        <source>Programm %1 eingestellt</source>
        <translation>Program %1 set</translation>
    </message>
    <message>
        <source>Programm speichern</source>
        <translation>Store program</translation>
    </message>
    <message>
        <source>Arbeitsparameter als Programm %1 im TKV-9D gespeichert</source>
        <translation>Working parameters stored as program %1 in the TKV-9D</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Start vom TKV-9D angenommen</source>
        <translation>Start accepted by the TKV-9D</translation>
    </message>
</context>
<context>
    <name>INFOPANEL</name>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Bild einer Stromkurve</source>
        <translation>Picture of a current curve</translation>
    </message>
    <message>
        <source>Gerät Steuerung</source>
        <translation>Device Control</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>VRL</source>
        <translation>VRL</translation>
    </message>
    <message>
        <source>Hersteller der programmierbaren Mehrkanal-Stromquelle TKV-9D.
Anschrift, Telefon und Internetadresse stehen im Handbuch des Geräts.</source>
        <translation>Maker of the programmable multi-channel current source TKV-9D.
Address, telephone and web address are in the device&apos;s manual.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>KALIBPANEL</name>
    <message>
        <source>Kalibrierung</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>Sollstrom [A]</source>
        <translation>Set current [A]</translation>
    </message>
    <message>
        <source>gemessener Strom [A]</source>
        <translation>measured current [A]</translation>
    </message>
    <message>
        <source>Messpunkt 1</source>
        <translation>Measuring point 1</translation>
    </message>
    <message>
        <source>Sollstrom Messpunkt 1 [A]</source>
        <translation>Set current measuring point 1 [A]</translation>
    </message>
    <message>
        <source>gemessener Strom Messpunkt 1 [A]</source>
        <translation>measured current measuring point 1 [A]</translation>
    </message>
    <message>
        <source>Messpunkt 2</source>
        <translation>Measuring point 2</translation>
    </message>
    <message>
        <source>Sollstrom Messpunkt 2 [A]</source>
        <translation>Set current measuring point 2 [A]</translation>
    </message>
    <message>
        <source>gemessener Strom Messpunkt 2 [A]</source>
        <translation>measured current measuring point 2 [A]</translation>
    </message>
    <message>
        <source>Die Kalibrierung ist gültig für das aktuelle Programm
im aktuellen Meßbereich.</source>
        <translation>The calibration applies to the current program
in the current measuring range.</translation>
    </message>
    <message>
        <source>color: #c01818;</source>
        <translation>color: #c01818;</translation>
    </message>
    <message>
        <source>Übernehmen</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Werkskalibrierung wiederherstellen</source>
        <translation>Restore factory calibration</translation>
    </message>
    <message>
        <source>Abbruch</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>Kurve</name>
    <message>
        <source>Grenze des Meßbereichs</source>
        <translation>Limit of the measuring range</translation>
    </message>
    <message>
        <source>Stromkurve</source>
        <translation>Current curve</translation>
    </message>
    <message>
        <source>Wert, den das TKV-9D ablehnt</source>
        <translation>Value the TKV-9D refuses</translation>
    </message>
    <message>
        <source>Strom [A]</source>
        <translation>Current [A]</translation>
    </message>
    <message>
        <source>Kurvenvorschau</source>
        <translation>Curve preview</translation>
    </message>
    <message>
        <source>Als PNG speichern...</source>
        <translation>Save as PNG...</translation>
    </message>
    <message>
        <source>Als PDF speichern...</source>
        <translation>Save as PDF...</translation>
    </message>
    <message>
        <source>Zeit [s]</source>
        <translation>Time [s]</translation>
    </message>
    <message>
        <source>Zeit [ms]</source>
        <translation>Time [ms]</translation>
    </message>
    <message>
        <source>Stromkurve %1 „%2“, Datei „%3“, %4</source>
        <translation>Current curve %1 “%2”, file “%3”, %4</translation>
    </message>
    <message>
        <source>Dreieck</source>
        <translation>Triangle</translation>
    </message>
    <message>
        <source>4stufiger Ablauf</source>
        <translation>4-step sequence</translation>
    </message>
    <message>
        <source>unbegrenzt</source>
        <translation>unlimited</translation>
    </message>
    <message>
        <source>%1, Meßbereich %2; Strom 1 bis 4: %3 A; Zeit 1 bis 4: %4 ms; Zyklen: %5</source>
        <translation>%1, measuring range %2; current 1 to 4: %3 A; time 1 to 4: %4 ms; cycles: %5</translation>
    </message>
    <message>
        <source>Als PNG speichern</source>
        <translation>Save as PNG</translation>
    </message>
    <message>
        <source>Als PDF speichern</source>
        <translation>Save as PDF</translation>
    </message>
    <message>
        <source>Meßbereich</source>
        <translation>Measuring range</translation>
    </message>
    <message>
        <source>Strom 1</source>
        <translation>Current 1</translation>
    </message>
    <message>
        <source>Strom 2</source>
        <translation>Current 2</translation>
    </message>
    <message>
        <source>Strom 3</source>
        <translation>Current 3</translation>
    </message>
    <message>
        <source>Strom 4</source>
        <translation>Current 4</translation>
    </message>
    <message>
        <source>Zeit 1</source>
        <translation>Time 1</translation>
    </message>
    <message>
        <source>Zeit 2</source>
        <translation>Time 2</translation>
    </message>
    <message>
        <source>Zeit 3</source>
        <translation>Time 3</translation>
    </message>
    <message>
        <source>Zeit 4</source>
        <translation>Time 4</translation>
    </message>
    <message>
        <source>Anzahl Zyklen</source>
        <translation>Number of cycles</translation>
    </message>
    <message>
        <source>Keine Vorschau: die Stromkurve ist unbekannt.</source>
        <translation>No preview: the current curve is unknown.</translation>
    </message>
    <message>
        <source>Keine Kurve: die Zeiten sind zu groß.</source>
        <translation>No curve: the times are too long.</translation>
    </message>
    <message>
        <source>Keine Kurve: alle Zeiten sind 0 ms.</source>
        <translation>No curve: all times are 0 ms.</translation>
    </message>
    <message>
        <source>Keine Kurve: keine Stufe hat eine gültige Zeit.</source>
        <translation>No curve: no step has a valid time.</translation>
    </message>
    <message>
        <source>keine Zahl</source>
        <translation>not a number</translation>
    </message>
    <message>
        <source>× unbegrenzt, %1 je Zyklus</source>
        <translation>× unlimited, %1 per cycle</translation>
    </message>
    <message>
        <source>× %1 Zyklus, %2</source>
        <translation>× %1 cycle, %2</translation>
    </message>
    <message>
        <source>× %1 Zyklen, %2</source>
        <translation>× %1 cycles, %2</translation>
    </message>
    <message>
        <source>: keine gültige Zahl</source>
        <translation>: not a valid number</translation>
    </message>
    <message>
        <source>%1 außerhalb des Bereichs %2 bis %3</source>
        <translation>%1 outside the range %2 to %3</translation>
    </message>
    <message>
        <source>%1 über der Grenze des Meßbereichs (%2)</source>
        <translation>%1 above the limit of the measuring range (%2)</translation>
    </message>
    <message>
        <source>%1 ist keine der Auswahlmöglichkeiten</source>
        <translation>%1 is none of the choices</translation>
    </message>
</context>
<context>
    <name>Lampe</name>
    <message>
        <source>rot</source>
        <translation>red</translation>
    </message>
    <message>
        <source>orange</source>
        <translation>orange</translation>
    </message>
    <message>
        <source>gelb</source>
        <translation>yellow</translation>
    </message>
    <message>
        <source>grün</source>
        <translation>green</translation>
    </message>
    <message>
        <source>blau</source>
        <translation>blue</translation>
    </message>
    <message>
        <source>an</source>
        <translation>on</translation>
    </message>
    <message>
        <source>aus</source>
        <translation>off</translation>
    </message>
    <message>
        <source>, nicht aktuell</source>
        <translation>, not current</translation>
    </message>
</context>
<context>
    <name>MAINPANEL</name>
    <message>
        <source>Gerät Steuerung</source>
        <translation>Device Control</translation>
    </message>
    <message>
        <source>Laden</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Laden...</source>
        <translation>Load...</translation>
    </message>
    <message>
        <source>Datei speichern</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Programme</source>
        <translation>Programs</translation>
    </message>
    <message>
        <source>vom Gerät lesen</source>
        <translation>read from device</translation>
    </message>
    <message>
        <source>zum Gerät schreiben</source>
        <translation>write to device</translation>
    </message>
    <message>
        <source>Bild einer Stromkurve</source>
        <translation>Picture of a current curve</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>Stromkurve</source>
        <translation>Current curve</translation>
    </message>
    <message>
        <source>1 - 4stufiger Ablauf</source>
        <translation>1 - 4-step sequence</translation>
    </message>
    <message>
        <source>2 - Dreieck</source>
        <translation>2 - Triangle</translation>
    </message>
    <message>
        <source>Meßbereich</source>
        <translation>Measuring range</translation>
    </message>
    <message>
        <source>0 - 0.4 A</source>
        <translation>0 - 0.4 A</translation>
    </message>
    <message>
        <source>0 - 4 A</source>
        <translation>0 - 4 A</translation>
    </message>
    <message>
        <source>Strom 1 [A]</source>
        <translation>Current 1 [A]</translation>
    </message>
    <message>
        <source>Zeit 1 [ms]</source>
        <translation>Time 1 [ms]</translation>
    </message>
    <message>
        <source>Strom 2 [A]</source>
        <translation>Current 2 [A]</translation>
    </message>
    <message>
        <source>Zeit 2 [ms]</source>
        <translation>Time 2 [ms]</translation>
    </message>
    <message>
        <source>Strom 3 [A]</source>
        <translation>Current 3 [A]</translation>
    </message>
    <message>
        <source>Zeit 3 [ms]</source>
        <translation>Time 3 [ms]</translation>
    </message>
    <message>
        <source>Strom 4 [A]</source>
        <translation>Current 4 [A]</translation>
    </message>
    <message>
        <source>Zeit 4 [ms]</source>
        <translation>Time 4 [ms]</translation>
    </message>
    <message>
        <source>Anzahl Zyklen</source>
        <translation>Number of cycles</translation>
    </message>
    <message>
        <source>unbegrenzt</source>
        <translation>unlimited</translation>
    </message>
    <message>
        <source>Prüfspannung [V]</source>
        <translation>Test voltage [V]</translation>
    </message>
    <message>
        <source>Hohe Abschaltüberspannung
bei Sprung auf Null</source>
        <translation>High turn-off overvoltage
on a step to zero</translation>
    </message>
    <message>
        <source>aus</source>
        <translation>off</translation>
    </message>
    <message>
        <source>ein</source>
        <translation>on</translation>
    </message>
    <message>
        <source>Hohe Abschaltüberspannung
bei Mindestiststromabfall</source>
        <translation>High turn-off overvoltage
on a drop of the actual current</translation>
    </message>
    <message>
        <source>Mindeststromabfall für hohe
Abschaltüberspannung [A]</source>
        <translation>Minimum current drop for high
turn-off overvoltage [A]</translation>
    </message>
    <message>
        <source>Mindestdauer der erhöhten
Abschaltüberspannung [ms]</source>
        <translation>Minimum duration of the raised
turn-off overvoltage [ms]</translation>
    </message>
    <message>
        <source>PWM-Hysterese [%]</source>
        <translation>PWM hysteresis [%]</translation>
    </message>
    <message>
        <source>PWM-Filter [%]</source>
        <translation>PWM filter [%]</translation>
    </message>
    <message>
        <source>Regelgeschwindigkeit [%]</source>
        <translation>Control speed [%]</translation>
    </message>
    <message>
        <source>Filter für Iststromsignal
Grenzfrequenz in Hz</source>
        <translation>Filter for the actual current signal
cut-off frequency in Hz</translation>
    </message>
    <message>
        <source>Kalibrierung</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>standard</source>
        <translation>standard</translation>
    </message>
    <message>
        <source>speziell</source>
        <translation>special</translation>
    </message>
    <message>
        <source>kalibrieren</source>
        <translation>calibrate</translation>
    </message>
    <message>
        <source>Gerät steuern</source>
        <translation>Control device</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stopp</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Programm</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Einstellen</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>Im TKV-9D als Programm speichern</source>
        <translation>Store as program in the TKV-9D</translation>
    </message>
    <message>
        <source>COM-Port</source>
        <translation>COM port</translation>
    </message>
    <message>
        <source>Com</source>
        <translation>Com</translation>
    </message>
    <message>
        <source>Fehler</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Fehlernummer</source>
        <translation>Error number</translation>
    </message>
    <message>
        <source>Fehlertext</source>
        <translation>Error text</translation>
    </message>
    <message>
        <source>Datei</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Fenster</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Ctrl+N</translation>
    </message>
    <message>
        <source>Neu</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S</source>
        <translation>Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>Speichern unter...</source>
        <translation>Save as...</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation>Ctrl+Q</translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Umbenennen...</source>
        <translation>Rename...</translation>
    </message>
    <message>
        <source>Schnittstellenprotokoll...</source>
        <translation>Interface log...</translation>
    </message>
    <message>
        <source>Mit TKV-9D vergleichen...</source>
        <translation>Compare with TKV-9D...</translation>
    </message>
    <message>
        <source>F1</source>
        <translation>F1</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
</context>
<context>
    <name>Parameter</name>
    <message>
        <source> Der Wert bleibt erhalten, bis Sie ihn ändern.</source>
        <translation> The value is kept until you change it.</translation>
    </message>
    <message>
        <source> Der Wert bleibt erhalten, bis Sie eine Auswahl treffen.</source>
        <translation> The value is kept until you make a choice.</translation>
    </message>
    <message>
        <source>Gespeichert ist %1, keine gültige Zahl.</source>
        <translation>Stored is %1, not a valid number.</translation>
    </message>
    <message>
        <source>Gespeichert ist %1, außerhalb des Bereichs %2 bis %3.</source>
        <translation>Stored is %1, outside the range %2 to %3.</translation>
    </message>
    <message>
        <source>Gespeichert ist %1, genauer als die %2 Nachkommastellen des Feldes.</source>
        <translation>Stored is %1, finer than the field&apos;s %2 decimal places.</translation>
    </message>
    <message>
        <source>Gespeichert ist %1, keine der Auswahlmöglichkeiten.</source>
        <translation>Stored is %1, none of the choices.</translation>
    </message>
    <message>
        <source>Gespeichert wird: „%1“</source>
        <translation>Will be stored: “%1”</translation>
    </message>
    <message>
        <source>Das Gerät meldet nur die ersten %1 Zeichen zurück.</source>
        <translation>The device reports back only the first %1 characters.</translation>
    </message>
    <message>
        <source>Strom 1 ist zu groß für Messbereich 1
</source>
        <translation>Current 1 is too large for measuring range 1
</translation>
    </message>
    <message>
        <source>Strom 2 ist zu groß für Messbereich 1
</source>
        <translation>Current 2 is too large for measuring range 1
</translation>
    </message>
    <message>
        <source>Strom 3 ist zu groß für Messbereich 1
</source>
        <translation>Current 3 is too large for measuring range 1
</translation>
    </message>
    <message>
        <source>Strom 4 ist zu groß für Messbereich 1
</source>
        <translation>Current 4 is too large for measuring range 1
</translation>
    </message>
    <message>
        <source>Mindeststrom für Abschaltübersp. ist zu groß für Messbereich 1
</source>
        <translation>Minimum current for turn-off overv. is too large for measuring range 1
</translation>
    </message>
    <message>
        <source>Kalibrierstrom 1 ist zu groß für Messbereich 1
</source>
        <translation>Calibration current 1 is too large for measuring range 1
</translation>
    </message>
    <message>
        <source>Kalibrierstrom 2 ist zu groß für Messbereich 1
</source>
        <translation>Calibration current 2 is too large for measuring range 1
</translation>
    </message>
    <message>
        <source>Fehler in den Parametern</source>
        <translation>Error in the parameters</translation>
    </message>
    <message>
        <source>Feld %1</source>
        <translation>Field %1</translation>
    </message>
</context>
<context>
    <name>Programm</name>
    <message>
        <source>Stopp wird gesendet …</source>
        <translation>Sending stop …</translation>
    </message>
    <message>
        <source>Stopp vom TKV-9D angenommen</source>
        <translation>Stop accepted by the TKV-9D</translation>
    </message>
    <message>
        <source>Wird beendet, sobald der laufende Vorgang zu Ende ist …</source>
        <translation>Quitting as soon as the running operation has ended …</translation>
    </message>
    <message>
        <source>Stopp</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Hält den TKV-9D an, auch während ein Vorgang läuft (%1)</source>
        <translation>Stops the TKV-9D, also while an operation is running (%1)</translation>
    </message>
    <message>
        <source>Neu verbinden</source>
        <translation>Reconnect</translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Ein Vorgang mit dem TKV-9D läuft noch. Möchten Sie ihn abbrechen und das Programm beenden?</source>
        <translation>An operation with the TKV-9D is still running. Do you want to cancel it and quit the program?</translation>
    </message>
    <message>
        <source>Ja</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Nein</source>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>Programme</name>
    <message>
        <source>aktuelles</source>
        <translation>current</translation>
    </message>
    <message>
        <source>alle</source>
        <translation>all</translation>
    </message>
    <message>
        <source>abbrechen</source>
        <translation>cancel</translation>
    </message>
    <message>
        <source>Programme zu TKV-9D schreiben</source>
        <translation>Write programs to TKV-9D</translation>
    </message>
    <message>
        <source>Programm %1 von %2</source>
        <translation>Program %1 of %2</translation>
    </message>
    <message>
        <source>Arbeitsparameter werden gelesen</source>
        <translation>Reading working parameters</translation>
    </message>
    <message>
        <source>Arbeitsparameter werden geschrieben</source>
        <translation>Writing working parameters</translation>
    </message>
    <message>
        <source>Programm %1 wird gelesen</source>
        <translation>Reading program %1</translation>
    </message>
    <message>
        <source>Programm %1 wird geschrieben</source>
        <translation>Writing program %1</translation>
    </message>
    <message>
        <source>Der TKV-9D hält wieder seine eigenen Arbeitsparameter, seine Programme sind unverändert.</source>
        <translation>The TKV-9D holds its own working parameters again; its programs are unchanged.</translation>
    </message>
    <message>
        <source>Der TKV-9D ist unverändert.</source>
        <translation>The TKV-9D is unchanged.</translation>
    </message>
    <message>
        <source>, Programm %1 wie zuvor</source>
        <translation>, program %1 as before</translation>
    </message>
    <message>
        <source>, die Programme %1 bis %2 wie zuvor</source>
        <translation>, programs %1 to %2 as before</translation>
    </message>
    <message>
        <source>Im TKV-9D ist Programm 1 neu%1; seine Arbeitsparameter halten Eintrag A.</source>
        <translation>In the TKV-9D program 1 is new%1; its working parameters hold entry A.</translation>
    </message>
    <message>
        <source>Im TKV-9D sind die Programme 1 und 2 neu%1; seine Arbeitsparameter halten Eintrag A.</source>
        <translation>In the TKV-9D programs 1 and 2 are new%1; its working parameters hold entry A.</translation>
    </message>
    <message>
        <source>Im TKV-9D sind die Programme 1 bis %2 neu%1; seine Arbeitsparameter halten Eintrag A.</source>
        <translation>In the TKV-9D programs 1 to %2 are new%1; its working parameters hold entry A.</translation>
    </message>
    <message>
        <source>Abgebrochen nach den Arbeitsparametern.</source>
        <translation>Cancelled after the working parameters.</translation>
    </message>
    <message>
        <source>Abgebrochen nach %1.</source>
        <translation>Cancelled after %1.</translation>
    </message>
    <message>
        <source>: die Arbeitsparameter des Geräts könnten nicht zurückgeschrieben werden, es wurde kein Programm geladen.</source>
        <translation>: the device&apos;s working parameters could not be written back; no program was loaded.</translation>
    </message>
    <message>
        <source>Eintrag A</source>
        <translation>Entry A</translation>
    </message>
    <message>
        <source>Programm %1</source>
        <translation>Program %1</translation>
    </message>
    <message>
        <source>Kein Programm wurde gespeichert.</source>
        <translation>No program was stored.</translation>
    </message>
    <message>
        <source>Alle Programme sind gespeichert.</source>
        <translation>All programs are stored.</translation>
    </message>
    <message>
        <source>Programm 1 ist gespeichert, die folgenden nicht.</source>
        <translation>Program 1 is stored, the following ones are not.</translation>
    </message>
    <message>
        <source>Programme 1 bis %1 sind gespeichert, die folgenden nicht.</source>
        <translation>Programs 1 to %1 are stored, the following ones are not.</translation>
    </message>
    <message>
        <source>seine bisherigen Werte</source>
        <translation>its previous values</translation>
    </message>
    <message>
        <source>Die Arbeitsparameter des TKV-9D sind die bisherigen.</source>
        <translation>The working parameters of the TKV-9D are the previous ones.</translation>
    </message>
    <message>
        <source>Die Arbeitsparameter des TKV-9D halten %1.</source>
        <translation>The working parameters of the TKV-9D hold %1.</translation>
    </message>
    <message>
        <source>Die Arbeitsparameter des TKV-9D halten %1 nur zum Teil, sonst %2.</source>
        <translation>The working parameters of the TKV-9D hold %1 only in part, otherwise %2.</translation>
    </message>
    <message>
        <source>Der TKV-9D hält jetzt Programm %1 als Arbeitsparameter; seine eigenen sind verloren, wenn sie nicht in einer Datei stehen.</source>
        <translation>The TKV-9D now holds program %1 as working parameters; its own are lost unless they are in a file.</translation>
    </message>
    <message>
        <source>Der TKV-9D hält jetzt Programm %1 als Arbeitsparameter, zum Teil mit seinen eigenen überschrieben; seine eigenen sind verloren, wenn sie nicht in einer Datei stehen.</source>
        <translation>The TKV-9D now holds program %1 as working parameters, partly overwritten with its own; its own are lost unless they are in a file.</translation>
    </message>
    <message>
        <source>Arbeitsparameter des Geräts werden zurückgeschrieben</source>
        <translation>Writing back the device&apos;s working parameters</translation>
    </message>
    <message>
        <source>Fehler in den Parametern</source>
        <translation>Error in the parameters</translation>
    </message>
    <message>
        <source>Es wurde nichts zum TKV-9D geschrieben.</source>
        <translation>Nothing was written to the TKV-9D.</translation>
    </message>
    <message>
        <source>Trotzdem schreiben?</source>
        <translation>Write anyway?</translation>
    </message>
    <message>
        <source>schreiben</source>
        <translation>write</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Abgebrochen, bevor ein Programm geschrieben wurde.</source>
        <translation>Cancelled before any program was written.</translation>
    </message>
    <message>
        <source>Arbeitsparameter des Geräts werden gelesen</source>
        <translation>Reading the device&apos;s working parameters</translation>
    </message>
    <message>
        <source>Programm %1 ist gespeichert.</source>
        <translation>Program %1 is stored.</translation>
    </message>
    <message>
        <source>Programm %1 ist nicht gespeichert.</source>
        <translation>Program %1 is not stored.</translation>
    </message>
    <message>
        <source>Nur aktuell ausgewähltes oder alle Programme schreiben?</source>
        <translation>Write only the selected program or all programs?</translation>
    </message>
    <message>
        <source>Abgebrochen, bevor ein Programm gelesen wurde.</source>
        <translation>Cancelled before any program was read.</translation>
    </message>
    <message>
        <source>Programme vom TKV-9D lesen</source>
        <translation>Read programs from the TKV-9D</translation>
    </message>
    <message>
        <source>Nur aktuell ausgewähltes oder alle Programme lesen?</source>
        <translation>Read only the selected program or all programs?</translation>
    </message>
</context>
<context>
    <name>Protokoll</name>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Adresse</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>Gesendet</source>
        <translation>Sent</translation>
    </message>
    <message>
        <source>Quittung</source>
        <translation>Acknowledgement</translation>
    </message>
    <message>
        <source>Antwort</source>
        <translation>Answer</translation>
    </message>
    <message>
        <source>Dauer</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>Ergebnis</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Anhalten</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Leeren</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Speichern...</source>
        <translation>Save...</translation>
    </message>
    <message>
        <source>Nur Fehler</source>
        <translation>Failures only</translation>
    </message>
    <message>
        <source>Schnittstellenprotokoll</source>
        <translation>Interface log</translation>
    </message>
    <message>
        <source>Speichert die angezeigten Übertragungen als Textdatei, eine Zeile je Übertragung</source>
        <translation>Saves the transfers shown as a text file, one line per transfer</translation>
    </message>
    <message>
        <source>Fortsetzen</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>Angehalten: neue Übertragungen werden verworfen, bisher %1.</source>
        <translation>Paused: new transfers are dropped, %1 so far.</translation>
    </message>
    <message>
        <source>%1 Übertragungen, %2 angezeigt; die letzten %3 bleiben.</source>
        <translation>%1 transfers, %2 shown; the last %3 are kept.</translation>
    </message>
    <message>
        <source>Schnittstellenprotokoll speichern</source>
        <translation>Save interface log</translation>
    </message>
</context>
<context>
    <name>RENAMEPNL</name>
    <message>
        <source>Umbenennen</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>Programmname</source>
        <translation>Program name</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbruch</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>STATUSPNL</name>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Gerät Status</source>
        <translation>Device Status</translation>
    </message>
    <message>
        <source>Kurve läuft</source>
        <translation>Curve running</translation>
    </message>
    <message>
        <source>Bestromung aktiv</source>
        <translation>Current on</translation>
    </message>
    <message>
        <source>Kurve beendet</source>
        <translation>Curve finished</translation>
    </message>
    <message>
        <source>Kurvenablauf abgebrochen</source>
        <translation>Curve run aborted</translation>
    </message>
    <message>
        <source>Speicherfehler</source>
        <translation>Memory error</translation>
    </message>
    <message>
        <source>hdx-4 Fehler</source>
        <translation>hdx-4 error</translation>
    </message>
    <message>
        <source>Prüfspannungsfehler</source>
        <translation>Test voltage error</translation>
    </message>
    <message>
        <source>Statusabfrage einschalten</source>
        <translation>Switch status polling on</translation>
    </message>
    <message>
        <source>Statusabfrage ausschalten</source>
        <translation>Switch status polling off</translation>
    </message>
    <message>
        <source>I-Ist [A]</source>
        <translation>I actual [A]</translation>
    </message>
    <message>
        <source>U-ist [V]</source>
        <translation>U actual [V]</translation>
    </message>
    <message>
        <source>Gerät Steuern</source>
        <translation>Device Control</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stopp</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>hdx-4 Status</source>
        <translation>hdx-4 status</translation>
    </message>
    <message>
        <source>hdx-4 gefunden</source>
        <translation>hdx-4 found</translation>
    </message>
    <message>
        <source>hdx-4 nicht mehr erreichbar</source>
        <translation>hdx-4 no longer reachable</translation>
    </message>
    <message>
        <source>hdx-4 meldet &quot;Nicht alle Parameter erhalten&quot;</source>
        <translation>hdx-4 reports &quot;Not all parameters received&quot;</translation>
    </message>
    <message>
        <source>Ausgänge</source>
        <translation>Outputs</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source>8</source>
        <translation>8</translation>
    </message>
    <message>
        <source>9</source>
        <translation>9</translation>
    </message>
    <message>
        <source>a</source>
        <translation>a</translation>
    </message>
    <message>
        <source>b</source>
        <translation>b</translation>
    </message>
    <message>
        <source>c</source>
        <translation>c</translation>
    </message>
    <message>
        <source>d</source>
        <translation>d</translation>
    </message>
    <message>
        <source>e</source>
        <translation>e</translation>
    </message>
    <message>
        <source>f</source>
        <translation>f</translation>
    </message>
    <message>
        <source>hdx-4 Status einmal abfragen</source>
        <translation>Query hdx-4 status once</translation>
    </message>
    <message>
        <source>Lesen</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Schreiben</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>COM-Port</source>
        <translation>COM port</translation>
    </message>
    <message>
        <source>Com</source>
        <translation>Com</translation>
    </message>
    <message>
        <source>Fehler</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Fehlernummer</source>
        <translation>Error number</translation>
    </message>
    <message>
        <source>Fehlertext</source>
        <translation>Error text</translation>
    </message>
    <message>
        <source>Zurück zum Hauptfenster</source>
        <translation>Back to the main window</translation>
    </message>
    <message>
        <source>Datei</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Fenster</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation>Ctrl+Q</translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation>Quit</translation>
    </message>
</context>
<context>
    <name>Sprache</name>
    <message>
        <source>Wie der Desktop</source>
        <translation>As the desktop</translation>
    </message>
    <message>
        <source>Die gewählte Sprache gilt ab dem nächsten Start des Programms. Jetzt neu starten?</source>
        <translation>The chosen language takes effect at the program&apos;s next start. Restart now?</translation>
    </message>
    <message>
        <source>Neu starten</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>Später</source>
        <translation>Later</translation>
    </message>
</context>
<context>
    <name>Start</name>
    <message>
        <source>Die Einstellungen liegen im Ordner „%1“.</source>
        <translation>The settings are in the folder “%1”.</translation>
    </message>
    <message>
        <source>Kein Benutzerordner: die Umgebungsvariable APPDATA fehlt.</source>
        <translation>No user folder: the environment variable APPDATA is missing.</translation>
    </message>
    <message>
        <source>Kein Benutzerordner: die Umgebungsvariable HOME fehlt.</source>
        <translation>No user folder: the environment variable HOME is missing.</translation>
    </message>
    <message>
        <source>Der Ordner %1 lässt sich nicht anlegen.</source>
        <translation>The folder %1 cannot be created.</translation>
    </message>
    <message>
        <source>Der Ordner %1 lässt sich nicht öffnen.</source>
        <translation>The folder %1 cannot be opened.</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>hdx-4 %1 gefunden</source>
        <translation>hdx-4 %1 found</translation>
    </message>
    <message>
        <source>hdx-4 %1 nicht mehr erreichbar</source>
        <translation>hdx-4 %1 no longer reachable</translation>
    </message>
    <message>
        <source>hdx-4 %1 meldet &quot;Nicht alle Parameter erhalten&quot;</source>
        <translation>hdx-4 %1 reports &quot;Not all parameters received&quot;</translation>
    </message>
    <message>
        <source>hdx-4 %1 Ausgang freigegeben</source>
        <translation>hdx-4 %1 output enabled</translation>
    </message>
    <message>
        <source>%1 Status</source>
        <translation>%1 Status</translation>
    </message>
    <message>
        <source>%1 Steuern</source>
        <translation>Control %1</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Start vom TKV-9D angenommen</source>
        <translation>Start accepted by the TKV-9D</translation>
    </message>
    <message>
        <source>hdx-4-Status lesen</source>
        <translation>Read hdx-4 status</translation>
    </message>
    <message>
        <source>hdx-4-Status gelesen</source>
        <translation>hdx-4 status read</translation>
    </message>
    <message>
        <source>Ausgänge lesen</source>
        <translation>Read outputs</translation>
    </message>
    <message>
        <source>Ausgänge gelesen</source>
        <translation>Outputs read</translation>
    </message>
    <message>
        <source>Ausgänge schreiben</source>
        <translation>Write outputs</translation>
    </message>
    <message>
        <source>Ausgänge geschrieben</source>
        <translation>Outputs written</translation>
    </message>
    <message>
        <source>Statusabfrage</source>
        <translation>Status query</translation>
    </message>
</context>
<context>
    <name>Vergleich</name>
    <message>
        <source>Mit TKV-9D vergleichen</source>
        <translation>Compare with TKV-9D</translation>
    </message>
    <message>
        <source>Zum Vergleichen wird der TKV-9D angehalten und jedes seiner 16 Programme einmal in die Arbeitsparameter geladen. Danach werden seine Arbeitsparameter wieder zurückgeschrieben.

Jetzt vergleichen?</source>
        <translation>To compare, the TKV-9D is stopped and each of its 16 programs is loaded into the working parameters once. Afterwards its working parameters are written back.

Compare now?</translation>
    </message>
    <message>
        <source>Der TKV-9D wurde für den Vergleich angehalten.</source>
        <translation>The TKV-9D was stopped for the comparison.</translation>
    </message>
    <message>
        <source>Programmname</source>
        <translation>Program name</translation>
    </message>
    <message>
        <source>Eintrag</source>
        <translation>Entry</translation>
    </message>
    <message>
        <source>Feld</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>Im Programm</source>
        <translation>In the program</translation>
    </message>
    <message>
        <source>Im TKV-9D</source>
        <translation>In the TKV-9D</translation>
    </message>
    <message>
        <source>Unterschiede</source>
        <translation>Differences</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>1 Unterschied zwischen Programm und TKV-9D:</source>
        <translation>1 difference between program and TKV-9D:</translation>
    </message>
    <message>
        <source>%1 Unterschiede zwischen Programm und TKV-9D:</source>
        <translation>%1 differences between program and TKV-9D:</translation>
    </message>
    <message>
        <source>Ja</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Nein</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Programme zum Vergleich gelesen</source>
        <translation>Programs read for the comparison</translation>
    </message>
    <message>
        <source>Keine Unterschiede: Er hält die Arbeitsparameter und alle 16 Programme so, wie sie im Programm stehen.</source>
        <translation>No differences: it holds the working parameters and all 16 programs as they are in the program.</translation>
    </message>
</context>
<context>
    <name>Vorgang</name>
    <message>
        <source>Schritt %1 von %2, </source>
        <translation>Step %1 of %2, </translation>
    </message>
    <message>
        <source>Restzeit wird ermittelt …</source>
        <translation>Estimating the time left …</translation>
    </message>
    <message>
        <source>noch etwa %1 s</source>
        <translation>about %1 s left</translation>
    </message>
    <message>
        <source>Stopp</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Wird nach dem laufenden Schritt abgebrochen …</source>
        <translation>Cancelling after the running step …</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Gerät antwortet nicht – Eingabe nicht ausgeführt</source>
        <translation>Device does not answer – input not carried out</translation>
    </message>
    <message>
        <source>Abgebrochen</source>
        <translation>Cancelled</translation>
    </message>
</context>
<context>
    <name>Zahlen</name>
    <message>
        <source>,</source>
        <translation>.</translation>
    </message>
    <message>
        <source>.</source>
        <translation>,</translation>
    </message>
</context>
</TS>
