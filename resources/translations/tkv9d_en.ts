<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>Aufzeichnung</name>
    <message>
        <source>Als CSV speichern...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Als PNG speichern...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programmierte Kurve [A]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I-Ist [A]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>U-Ist [V]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Messung fehlgeschlagen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Messwerte aufzeichnen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aufzeichnung beenden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Messabstand [s]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>alle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die letzte Aufzeichnung ist nicht gespeichert. Möchten Sie sie speichern, bevor eine neue beginnt?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verwerfen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Messwerte, %2 fehlgeschlagen, %3 ausgelassen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arbeitsparameter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programm %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Messwerte vom %1, alle %2, %3 „%4“</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Messwerte als CSV speichern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV, Komma und Dezimalpunkt (*.csv);;CSV für deutsche Tabellenkalkulation, Semikolon und Dezimalkomma (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Messwerte als PNG speichern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zeit [s]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strom [A]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spannung [V]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aufzeichnung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programmierte Kurve, I-Ist [A] und U-Ist [V] über der Zeit [s]</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>COMPANEL</name>
    <message>
        <source>COM-Einstellungen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM-Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nicht geöffnet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adresse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>alle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ID lesen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scann</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Suche Gerät ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zurück zum Hauptfenster</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehlernummer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehlertext</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Datei</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fenster</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Com</name>
    <message>
        <source>Gerät an Adresse %1 gefunden – verwendet wird Adresse %2; zum Verwenden Adresse wählen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Schnittstelle über „Fenster → Com“ wählen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interner Fehler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 ist zu klein</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM-Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Neu verbinden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (Adresse %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>„%1“ an Adresse %2 nicht zu Ende geführt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>„%1“ an Adresse %2 fehlgeschlagen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ID lesen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ID gelesen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scann</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 getrennt – wird wieder verbunden, sobald der Adapter zurück ist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An %1 antwortet ein anderes Gerät (%2) – nicht verbunden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 wieder verbunden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abgebrochen, bevor eine Adresse abgefragt wurde.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abgebrochen nach Adresse %1 von %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adresse %1 wird abgefragt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Suche nach Gerät %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nicht geöffnet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> getrennt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> wird wieder verbunden</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Datei</name>
    <message>
        <source>Unbenannt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>: schreibgeschützt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>: Datenträger voll</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>: Ordner nicht vorhanden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>: ist ein Ordner, keine Datei</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Im Ordner ließ sich keine neue Datei anlegen; die Datei wurde direkt überschrieben und ist jetzt unvollständig.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>: keine gewöhnliche Datei (Ordner, Pipe oder Gerät)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>erwartet: V %1
gefunden: V %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehler im Prüfprogramm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehler in Programm %1.
Datei wurde nicht gespeichert.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Öffnen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Möchten Sie die Änderungen in %1 speichern?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Datei speichern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ja</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nein</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Eingabe</name>
    <message>
        <source>Wert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: höchstens %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: mindestens %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: nur ganze Zahlen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: höchstens %2 Nachkommastelle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: höchstens %2 Nachkommastellen</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Fenster</name>
    <message>
        <source>Com</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hauptfenster</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Hauptfenster</name>
    <message>
        <source>Der TKV-9D wird angehalten, falls er eine Kurve abfährt: Zum Lesen werden seine Programme in seine Arbeitsparameter geladen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nicht gespeicherte Änderungen gehen verloren: Die gelesenen Programme ersetzen sie.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trotzdem vom TKV-9D lesen?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programme vom TKV-9D lesen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ja</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nein</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (Adresse %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die Arbeitsparameter des TKV-9D werden als Programm %1 gespeichert; was dort gespeichert ist, geht verloren.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programm %1 im TKV-9D überschreiben?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Im TKV-9D als Programm speichern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Steuerung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>vom %1 lesen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>zum %1 schreiben</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 steuern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programme vom TKV-9D gelesen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programme zu TKV-9D schreiben</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programme zum TKV-9D geschrieben</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programm einstellen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programm %1 eingestellt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programm speichern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arbeitsparameter als Programm %1 im TKV-9D gespeichert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start vom TKV-9D angenommen</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>INFOPANEL</name>
    <message>
        <source>Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bild einer Stromkurve</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gerät Steuerung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Datum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VRL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hersteller der programmierbaren Mehrkanal-Stromquelle TKV-9D.
Anschrift, Telefon und Internetadresse stehen im Handbuch des Geräts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KALIBPANEL</name>
    <message>
        <source>Kalibrierung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sollstrom [A]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>gemessener Strom [A]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Messpunkt 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sollstrom Messpunkt 1 [A]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>gemessener Strom Messpunkt 1 [A]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Messpunkt 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sollstrom Messpunkt 2 [A]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>gemessener Strom Messpunkt 2 [A]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die Kalibrierung ist gültig für das aktuelle Programm
im aktuellen Meßbereich.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>color: #c01818;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Übernehmen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Werkskalibrierung wiederherstellen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abbruch</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Kurve</name>
    <message>
        <source>Grenze des Meßbereichs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stromkurve</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wert, den das TKV-9D ablehnt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strom [A]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kurvenvorschau</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Als PNG speichern...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Als PDF speichern...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zeit [s]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zeit [ms]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stromkurve %1 „%2“, Datei „%3“, %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dreieck</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4stufiger Ablauf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unbegrenzt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, Meßbereich %2; Strom 1 bis 4: %3 A; Zeit 1 bis 4: %4 ms; Zyklen: %5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Als PNG speichern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Als PDF speichern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Meßbereich</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strom 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strom 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strom 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strom 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zeit 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zeit 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zeit 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zeit 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Anzahl Zyklen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keine Vorschau: die Stromkurve ist unbekannt.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keine Kurve: die Zeiten sind zu groß.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keine Kurve: alle Zeiten sind 0 ms.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keine Kurve: keine Stufe hat eine gültige Zeit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>keine Zahl</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>× unbegrenzt, %1 je Zyklus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>× %1 Zyklus, %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>× %1 Zyklen, %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>: keine gültige Zahl</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 außerhalb des Bereichs %2 bis %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 über der Grenze des Meßbereichs (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 ist keine der Auswahlmöglichkeiten</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Lampe</name>
    <message>
        <source>rot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>orange</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>gelb</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>grün</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>blau</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>aus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, nicht aktuell</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MAINPANEL</name>
    <message>
        <source>Gerät Steuerung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Laden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Laden...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Datei speichern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>vom Gerät lesen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>zum Gerät schreiben</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bild einer Stromkurve</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stromkurve</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 - 4stufiger Ablauf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2 - Dreieck</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Meßbereich</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0 - 0.4 A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0 - 4 A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strom 1 [A]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zeit 1 [ms]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strom 2 [A]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zeit 2 [ms]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strom 3 [A]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zeit 3 [ms]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strom 4 [A]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zeit 4 [ms]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Anzahl Zyklen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unbegrenzt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prüfspannung [V]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hohe Abschaltüberspannung
bei Sprung auf Null</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>aus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ein</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hohe Abschaltüberspannung
bei Mindestiststromabfall</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mindeststromabfall für hohe
Abschaltüberspannung [A]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mindestdauer der erhöhten
Abschaltüberspannung [ms]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PWM-Hysterese [%]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PWM-Filter [%]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Regelgeschwindigkeit [%]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter für Iststromsignal
Grenzfrequenz in Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kalibrierung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>standard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>speziell</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>kalibrieren</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gerät steuern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Einstellen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Im TKV-9D als Programm speichern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM-Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Com</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehlernummer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehlertext</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Datei</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fenster</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Neu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Shift+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speichern unter...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Umbenennen...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Schnittstellenprotokoll...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mit TKV-9D vergleichen...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Info</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Parameter</name>
    <message>
        <source> Der Wert bleibt erhalten, bis Sie ihn ändern.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Der Wert bleibt erhalten, bis Sie eine Auswahl treffen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gespeichert ist %1, keine gültige Zahl.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gespeichert ist %1, außerhalb des Bereichs %2 bis %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gespeichert ist %1, genauer als die %2 Nachkommastellen des Feldes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gespeichert ist %1, keine der Auswahlmöglichkeiten.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gespeichert wird: „%1“</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Das Gerät meldet nur die ersten %1 Zeichen zurück.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strom 1 ist zu groß für Messbereich 1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strom 2 ist zu groß für Messbereich 1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strom 3 ist zu groß für Messbereich 1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strom 4 ist zu groß für Messbereich 1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mindeststrom für Abschaltübersp. ist zu groß für Messbereich 1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kalibrierstrom 1 ist zu groß für Messbereich 1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kalibrierstrom 2 ist zu groß für Messbereich 1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehler in den Parametern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Feld %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Programm</name>
    <message>
        <source>Stopp wird gesendet …</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopp vom TKV-9D angenommen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wird beendet, sobald der laufende Vorgang zu Ende ist …</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hält den TKV-9D an, auch während ein Vorgang läuft (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Neu verbinden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ein Vorgang mit dem TKV-9D läuft noch. Möchten Sie ihn abbrechen und das Programm beenden?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ja</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nein</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Programme</name>
    <message>
        <source>aktuelles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>alle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>abbrechen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programme zu TKV-9D schreiben</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programm %1 von %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arbeitsparameter werden gelesen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arbeitsparameter werden geschrieben</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programm %1 wird gelesen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programm %1 wird geschrieben</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Der TKV-9D hält wieder seine eigenen Arbeitsparameter, seine Programme sind unverändert.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Der TKV-9D ist unverändert.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, Programm %1 wie zuvor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, die Programme %1 bis %2 wie zuvor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Im TKV-9D ist Programm 1 neu%1; seine Arbeitsparameter halten Eintrag A.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Im TKV-9D sind die Programme 1 und 2 neu%1; seine Arbeitsparameter halten Eintrag A.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Im TKV-9D sind die Programme 1 bis %2 neu%1; seine Arbeitsparameter halten Eintrag A.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abgebrochen nach den Arbeitsparametern.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abgebrochen nach %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>: die Arbeitsparameter des Geräts könnten nicht zurückgeschrieben werden, es wurde kein Programm geladen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Eintrag A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programm %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kein Programm wurde gespeichert.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alle Programme sind gespeichert.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programm 1 ist gespeichert, die folgenden nicht.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programme 1 bis %1 sind gespeichert, die folgenden nicht.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>seine bisherigen Werte</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die Arbeitsparameter des TKV-9D sind die bisherigen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die Arbeitsparameter des TKV-9D halten %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die Arbeitsparameter des TKV-9D halten %1 nur zum Teil, sonst %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Der TKV-9D hält jetzt Programm %1 als Arbeitsparameter; seine eigenen sind verloren, wenn sie nicht in einer Datei stehen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Der TKV-9D hält jetzt Programm %1 als Arbeitsparameter, zum Teil mit seinen eigenen überschrieben; seine eigenen sind verloren, wenn sie nicht in einer Datei stehen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arbeitsparameter des Geräts werden zurückgeschrieben</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehler in den Parametern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Es wurde nichts zum TKV-9D geschrieben.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trotzdem schreiben?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>schreiben</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abgebrochen, bevor ein Programm geschrieben wurde.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arbeitsparameter des Geräts werden gelesen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programm %1 ist gespeichert.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programm %1 ist nicht gespeichert.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nur aktuell ausgewähltes oder alle Programme schreiben?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abgebrochen, bevor ein Programm gelesen wurde.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programme vom TKV-9D lesen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nur aktuell ausgewähltes oder alle Programme lesen?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Protokoll</name>
    <message>
        <source>Zeit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adresse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gesendet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quittung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Antwort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dauer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ergebnis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Anhalten</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leeren</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speichern...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nur Fehler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Schnittstellenprotokoll</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speichert die angezeigten Übertragungen als Textdatei, eine Zeile je Übertragung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fortsetzen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Angehalten: neue Übertragungen werden verworfen, bisher %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Übertragungen, %2 angezeigt; die letzten %3 bleiben.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Schnittstellenprotokoll speichern</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RENAMEPNL</name>
    <message>
        <source>Umbenennen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programmname</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abbruch</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>STATUSPNL</name>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gerät Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kurve läuft</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bestromung aktiv</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kurve beendet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kurvenablauf abgebrochen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speicherfehler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hdx-4 Fehler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prüfspannungsfehler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Statusabfrage einschalten</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Statusabfrage ausschalten</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I-Ist [A]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>U-ist [V]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gerät Steuern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hdx-4 Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hdx-4 gefunden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hdx-4 nicht mehr erreichbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hdx-4 meldet &quot;Nicht alle Parameter erhalten&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ausgänge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>b</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>c</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>d</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>f</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hdx-4 Status einmal abfragen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lesen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Schreiben</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM-Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Com</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehlernummer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehlertext</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zurück zum Hauptfenster</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Datei</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fenster</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Sprache</name>
    <message>
        <source>Wie der Desktop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die gewählte Sprache gilt ab dem nächsten Start des Programms. Jetzt neu starten?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Neu starten</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Später</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Start</name>
    <message>
        <source>Die Einstellungen liegen im Ordner „%1“.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kein Benutzerordner: die Umgebungsvariable APPDATA fehlt.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kein Benutzerordner: die Umgebungsvariable HOME fehlt.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Der Ordner %1 lässt sich nicht anlegen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Der Ordner %1 lässt sich nicht öffnen.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>hdx-4 %1 gefunden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hdx-4 %1 nicht mehr erreichbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hdx-4 %1 meldet &quot;Nicht alle Parameter erhalten&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hdx-4 %1 Ausgang freigegeben</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Steuern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start vom TKV-9D angenommen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hdx-4-Status lesen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hdx-4-Status gelesen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ausgänge lesen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ausgänge gelesen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ausgänge schreiben</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ausgänge geschrieben</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Statusabfrage</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Vergleich</name>
    <message>
        <source>Mit TKV-9D vergleichen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zum Vergleichen wird der TKV-9D angehalten und jedes seiner 16 Programme einmal in die Arbeitsparameter geladen. Danach werden seine Arbeitsparameter wieder zurückgeschrieben.

Jetzt vergleichen?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Der TKV-9D wurde für den Vergleich angehalten.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programmname</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Eintrag</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Feld</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Im Programm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Im TKV-9D</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unterschiede</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 Unterschied zwischen Programm und TKV-9D:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Unterschiede zwischen Programm und TKV-9D:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ja</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nein</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programme zum Vergleich gelesen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keine Unterschiede: Er hält die Arbeitsparameter und alle 16 Programme so, wie sie im Programm stehen.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Vorgang</name>
    <message>
        <source>Schritt %1 von %2, </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restzeit wird ermittelt …</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>noch etwa %1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wird nach dem laufenden Schritt abgebrochen …</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gerät antwortet nicht – Eingabe nicht ausgeführt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abgebrochen</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Zahlen</name>
    <message>
        <source>,</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
