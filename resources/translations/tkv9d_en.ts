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
    <name>Kalibrierung</name>
    <message>
        <source>Die Messpunkte ergeben keine Kalibrierung: Sollströme und gemessene Ströme müssen sich unterscheiden.</source>
        <translation>The measuring points define no calibration: the set currents and the measured currents must differ.</translation>
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
    <message>
        <source>Eintrag %1, Feld %2</source>
        <translation>Entry %1, field %2</translation>
    </message>
    <message>
        <source>Eintrag %1: der Name &quot;%2&quot; hat %3 Zeichen, das TKV-9D meldet nur die ersten %4 zurück</source>
        <translation>Entry %1: the name &quot;%2&quot; has %3 characters, the TKV-9D reports back only the first %4</translation>
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
    <message>
        <source>keine</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Fehler #%1: %2</source>
        <translation>Error #%1: %2</translation>
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
    <message>
        <source>Eintrag %1, Feld %2: %3 %4, TKV-9D %5</source>
        <translation>Entry %1, field %2: %3 %4, TKV-9D %5</translation>
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
<context>
    <name>serial port</name>
    <message>
        <source> ist belegt</source>
        <translation> is in use</translation>
    </message>
    <message>
        <source> von Prozess </source>
        <translation> by process </translation>
    </message>
</context>
<context>
    <name>tkv9d</name>
    <message>
        <source>  --device PATH      das serielle Gerät, das statt dem des Ports benutzt wird (\\.\COM3)
</source>
        <translation>  --device PATH      the serial device to use, instead of the port&apos;s own (\\.\COM3)
</translation>
    </message>
    <message>
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
        <source>  --device PATH      das serielle Gerät, das statt dem des Ports benutzt wird
</source>
        <translation>  --device PATH      the serial device to use, instead of the port&apos;s own
</translation>
    </message>
    <message>
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
        <source>5, COM5 oder \\.\COM5</source>
        <translation>5, COM5 or \\.\COM5</translation>
    </message>
    <message>
        <source>5 oder COM5</source>
        <translation>5 or COM5</translation>
    </message>
    <message>
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
        <source>  --port N           COM-Port 1..256 (Vorgabe 1), als %1
</source>
        <translation>  --port N           COM port 1..256 (default 1), as %1
</translation>
    </message>
    <message>
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
        <source>--address muss eins von 1..9 oder &amp; (alle Geräte) sein, nicht &apos;%1&apos;</source>
        <translation>--address must be one of 1..9 or &amp; (every device), got &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--timeout braucht eine Zahl von Sekunden, nicht &apos;%1&apos;</source>
        <translation>--timeout needs a number of seconds, got &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--period braucht eine Zahl von Sekunden von 0.01 bis 86400, nicht &apos;%1&apos;</source>
        <translation>--period needs a number of seconds from 0.01 to 86400, got &apos;%1&apos;</translation>
    </message>
    <message>
        <source>COM %1: Schnittstelle nicht mehr vorhanden (Gerät getrennt?)</source>
        <translation>COM %1: port no longer present (device disconnected?)</translation>
    </message>
    <message>
        <source>kein Gerät für diese Schnittstelle</source>
        <translation>no device for this port</translation>
    </message>
    <message>
        <source>Fehler #%1: %2</source>
        <translation>Error #%1: %2</translation>
    </message>
    <message>
        <source>%1 mehr als einmal angegeben</source>
        <translation>%1 given more than once</translation>
    </message>
    <message>
        <source>%1 muss eine dezimale oder mit 0x hexadezimale ganze Zahl sein, nicht &apos;%2&apos;</source>
        <translation>%1 must be a decimal or 0x hexadecimal integer, got &apos;%2&apos;</translation>
    </message>
    <message>
        <source>%1 braucht einen Wert</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <source>--port muss eine Schnittstelle 1..256 sein (%1), nicht &apos;%2&apos;</source>
        <translation>--port must be a port 1..256 (%1), got &apos;%2&apos;</translation>
    </message>
    <message>
        <source>--trace-file braucht einen Pfad</source>
        <translation>--trace-file needs a path</translation>
    </message>
    <message>
        <source>--count muss mindestens 1 sein</source>
        <translation>--count must be at least 1</translation>
    </message>
    <message>
        <source>Aufruf: tkv9d [OPTIONS] %1 %2
</source>
        <translation>usage: tkv9d [OPTIONS] %1 %2
</translation>
    </message>
    <message>
        <source>unbekannte Option %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>kein Befehl angegeben</source>
        <translation>no command given</translation>
    </message>
    <message>
        <source>%1 gehört zu watch, nicht zu %2</source>
        <translation>%1 belongs to watch, not to %2</translation>
    </message>
    <message>
        <source>%1 hat keine Option %2</source>
        <translation>%1 has no option %2</translation>
    </message>
    <message>
        <source>%1 nimmt %2 Argument(e)</source>
        <translation>%1 takes %2 argument(s)</translation>
    </message>
    <message>
        <source>unbekannter Befehl %1</source>
        <translation>unknown command %1</translation>
    </message>
    <message>
        <source>Hinweis: vor dem Abbruch vollständig ausgeführt.</source>
        <translation>Note: carried out in full before the interruption.</translation>
    </message>
    <message>
        <source>Protokolldatei %1 kann nicht geöffnet werden: %2</source>
        <translation>cannot open trace file %1: %2</translation>
    </message>
    <message>
        <source>tkv9d: Protokolldatei %1 konnte nicht geschrieben werden</source>
        <translation>tkv9d: trace file %1 could not be written</translation>
    </message>
    <message>
        <source>tkv9d: stdout konnte nicht geschrieben werden</source>
        <translation>tkv9d: stdout could not be written</translation>
    </message>
    <message>
        <source>Mehr mit &apos;tkv9d --help&apos;.</source>
        <translation>Try &apos;tkv9d --help&apos;.</translation>
    </message>
    <message>
        <source>tkv9d: sofort beendet</source>
        <translation>tkv9d: ended at once</translation>
    </message>
    <message>
        <source>Programmnummer</source>
        <translation>program number</translation>
    </message>
    <message>
        <source>tkv9d: ein Argument ist kein gültiger Text</source>
        <translation>tkv9d: an argument is no valid text</translation>
    </message>
    <message>
        <source>VALUE muss eine Zahl wie 1.5 oder -2e-3 sein, nicht &apos;%1&apos;</source>
        <translation>VALUE must be a number like 1.5 or -2e-3, got &apos;%1&apos;</translation>
    </message>
    <message>
        <source>VALUE muss eine dezimale ganze Zahl sein, nicht &apos;%1&apos;</source>
        <translation>VALUE must be a decimal integer, got &apos;%1&apos;</translation>
    </message>
    <message>
        <source>HEX muss eine gerade Zahl Hex-Ziffern haben, nicht %1</source>
        <translation>HEX must have an even number of hex digits, got %1</translation>
    </message>
    <message>
        <source>HEX darf nur Hex-Ziffern enthalten, nicht &apos;%1&apos;</source>
        <translation>HEX may hold hex digits only, got &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Die Datei blieb unverändert; das Gerät hat seine Arbeitsparameter zurück.</source>
        <translation>The file was left as it was; the device has its working parameters back.</translation>
    </message>
    <message>
        <source>Die Programme danach sind die alten; die Arbeitsparameter des Geräts halten Eintrag A der Datei, ohne ein geschriebenes Programm die alten.</source>
        <translation>The programs after it are the old ones; the device&apos;s working parameters hold entry A of the file, or the old ones when no program was written.</translation>
    </message>
    <message>
        <source>Alle Programme sind geschrieben; der Vergleich mit dem Gerät wurde abgebrochen.</source>
        <translation>All programs are written; the comparison with the device was stopped.</translation>
    </message>
    <message>
        <source>FILE %1 ist die serielle Schnittstelle selbst</source>
        <translation>FILE %1 is the serial port itself</translation>
    </message>
    <message>
        <source>programs-write --verify liest von einem Gerät zurück; --address &amp; bekommt keine Antwort</source>
        <translation>programs-write --verify reads back from one device; --address &amp; gets no answer</translation>
    </message>
    <message>
        <source>Hinweis: </source>
        <translation>Note: </translation>
    </message>
    <message>
        <source>Restzeit wird ermittelt …</source>
        <translation>Estimating the time left …</translation>
    </message>
    <message>
        <source>Noch etwa %1 s</source>
        <translation>About %1 s left</translation>
    </message>
    <message>
        <source>Das Gerät hat seine Arbeitsparameter zurück.</source>
        <translation>The device has its working parameters back.</translation>
    </message>
    <message>
        <source>--entry muss A oder 1..16 sein</source>
        <translation>--entry must be A or 1..16</translation>
    </message>
    <message>
        <source>Datei</source>
        <translation>File</translation>
    </message>
</context>
<context>
    <name>tkv9d serve</name>
    <message>
        <source>--listen braucht ADDRESS:PORT, wie 127.0.0.1:5025 oder [::1]:5025, nicht &apos;%1&apos;</source>
        <translation>--listen needs ADDRESS:PORT, as 127.0.0.1:5025 or [::1]:5025, got &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--allow braucht ADDRESS oder ADDRESS/BITS, wie 192.168.1.0/24, nicht &apos;%1&apos;</source>
        <translation>--allow needs ADDRESS or ADDRESS/BITS, as 192.168.1.0/24, got &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--max-clients muss 1..1000 sein</source>
        <translation>--max-clients must be 1..1000</translation>
    </message>
    <message>
        <source>--idle-timeout muss 0..86400 Sekunden sein</source>
        <translation>--idle-timeout must be 0..86400 seconds</translation>
    </message>
    <message>
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
        <source>Hinweis: COM %1 wieder verbunden</source>
        <translation>Note: COM %1 connected again</translation>
    </message>
    <message>
        <source>Hinweis: anderes Gerät an COM %1: %2, erwartet %3; nicht gelesen, Schnittstelle freigegeben</source>
        <translation>Note: another device at COM %1: %2, expected %3; not read, port released</translation>
    </message>
    <message>
        <source>Hinweis: %1; watch wartet auf sie</source>
        <translation>Note: %1; watch waits for it</translation>
    </message>
    <message>
        <source>Hinweis: %1 Lesungen nacheinander fehlgeschlagen, watch endet</source>
        <translation>Note: %1 readings in a row failed, watch ends</translation>
    </message>
    <message>
        <source>Hinweis: Lesung %1 dauerte %2 s, länger als die Periode (%3 s); %4 Zeitpunkt(e) ausgelassen</source>
        <translation>Note: reading %1 took %2 s, longer than the period (%3 s); %4 time(s) left out</translation>
    </message>
    <message>
        <source>Hinweis: %1 von %2 Lesungen dauerten länger als die Periode</source>
        <translation>Note: %1 of %2 readings took longer than the period</translation>
    </message>
    <message>
        <source>watch: unbekanntes Feld %1</source>
        <translation>watch: unknown field %1</translation>
    </message>
</context>
<context>
    <name>tkv9d-sim</name>
    <message>
        <source>%1 braucht eine ganze Zahl ab 1</source>
        <translation>%1 needs a whole number from 1</translation>
    </message>
    <message>
        <source>prob braucht eine Zahl über 0 bis 1</source>
        <translation>prob needs a number above 0 up to 1</translation>
    </message>
    <message>
        <source>command braucht ein bis drei Befehlsbuchstaben, etwa C1R oder N</source>
        <translation>command needs one to three command letters, such as C1R or N</translation>
    </message>
    <message>
        <source>address braucht eine Geräteadresse 1..9, a..f</source>
        <translation>address needs a device address 1..9, a..f</translation>
    </message>
    <message>
        <source>byte braucht ein Zeichen oder 0x00..0x7F, nicht ACK, NAK oder CAN</source>
        <translation>byte needs one character or 0x00..0x7F, not ACK, NAK or CAN</translation>
    </message>
    <message>
        <source>delta braucht eine Zahl über 0</source>
        <translation>delta needs a number above 0</translation>
    </message>
    <message>
        <source>byte-ms braucht eine ganze Zahl ms von 1 bis 10000</source>
        <translation>byte-ms needs a whole number of ms from 1 to 10000</translation>
    </message>
    <message>
        <source>unbekannter Schlüssel &apos;%1&apos;</source>
        <translation>unknown key &apos;%1&apos;</translation>
    </message>
    <message>
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
        <source>unbekannte Störung &apos;%1&apos;</source>
        <translation>unknown fault &apos;%1&apos;</translation>
    </message>
    <message>
        <source>&apos;%1&apos; ist nicht KEY=VALUE</source>
        <translation>&apos;%1&apos; is not KEY=VALUE</translation>
    </message>
    <message>
        <source>Protokolldatei %1 kann nicht geöffnet werden</source>
        <translation>cannot open log file %1</translation>
    </message>
    <message>
        <source>Adresse schon vergeben</source>
        <translation>address already taken</translation>
    </message>
    <message>
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
        <source>Mehr mit &apos;tkv9d-sim --help&apos;.</source>
        <translation>Try &apos;tkv9d-sim --help&apos;.</translation>
    </message>
    <message>
        <source>%1 braucht einen Wert</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <source>--port braucht einen Namen einer Schnittstelle</source>
        <translation>--port needs a port name</translation>
    </message>
    <message>
        <source>ungültige Nummer einer Schnittstelle &apos;%1&apos; (1..256, als 5 oder COM5)</source>
        <translation>bad port number &apos;%1&apos; (1..256, as 5 or COM5)</translation>
    </message>
    <message>
        <source>ungültige Adresse</source>
        <translation>bad address</translation>
    </message>
    <message>
        <source>--log braucht einen Dateinamen</source>
        <translation>--log needs a file name</translation>
    </message>
    <message>
        <source>ungültiges --fault &apos;%1&apos;: %2</source>
        <translation>bad --fault &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>--seed braucht eine ganze Zahl</source>
        <translation>--seed needs a whole number</translation>
    </message>
    <message>
        <source>unbekannte Option %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>Windows hat keine Pseudo-Terminals; die zu bedienende COM-Schnittstelle mit --port angeben</source>
        <translation>Windows has no pseudo-terminals; give the COM port to serve with --port</translation>
    </message>
    <message>
        <source>--fault für Adresse %1, wo kein Gerät ist</source>
        <translation>--fault for address %1, where there is no device</translation>
    </message>
    <message>
        <source>%1 ist im Weg (keine Verknüpfung)</source>
        <translation>%1 is in the way (not a link)</translation>
    </message>
    <message>
        <source>%1 ist im Weg (eine Verknüpfung auf %2)</source>
        <translation>%1 is in the way (a link to %2)</translation>
    </message>
    <message>
        <source>; %1 ist belegt von %2</source>
        <translation>; %1 is in use by %2</translation>
    </message>
    <message>
        <source>; ein anderes --com wählen oder es entfernen</source>
        <translation>; choose another --com or remove it</translation>
    </message>
    <message>
        <source>tkv9d-sim: ein Argument ist kein gültiger Text</source>
        <translation>tkv9d-sim: an argument is no valid text</translation>
    </message>
    <message>
        <source>tkv9d-sim: SIGINT und SIGTERM (Strg+C) können nicht übernommen werden</source>
        <translation>tkv9d-sim: cannot take SIGINT and SIGTERM (Ctrl+C)</translation>
    </message>
    <message>
        <source>tkv9d-sim: das Protokoll %1 kann nicht geschrieben werden</source>
        <translation>tkv9d-sim: cannot write the log %1</translation>
    </message>
</context>
</TS>
