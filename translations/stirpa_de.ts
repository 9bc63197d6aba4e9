<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About Stirpa</source>
        <translation>Über Stirpa</translation>
    </message>
    <message>
        <source>Stirpa Version %1</source>
        <translation>Stirpa Version %1</translation>
    </message>
    <message>
        <source>Family-tree charts, laid out by hand.</source>
        <translation>Stammbaumtafeln, von Hand gelegt.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
</context>
<context>
    <name>ChangedFileBar</name>
    <message>
        <source>&amp;Reload</source>
        <translation>&amp;Neu laden</translation>
    </message>
    <message>
        <source>&amp;Keep mine</source>
        <translation>&amp;Meine behalten</translation>
    </message>
    <message>
        <source>This chart was changed by another program.</source>
        <translation>Diese Tafel wurde von einem anderen Programm geändert.</translation>
    </message>
    <message>
        <source>Read the file again; the changes made here are lost</source>
        <translation>Die Datei neu lesen; die hier gemachten Änderungen gehen verloren</translation>
    </message>
    <message>
        <source>Keep the chart as it is here; saving will ask before it overwrites the other program&apos;s changes</source>
        <translation>Die Tafel so behalten, wie sie hier ist; vor dem Überschreiben der Änderungen des anderen Programms fragt das Speichern nach</translation>
    </message>
</context>
<context>
    <name>ChartDocument</name>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
</context>
<context>
    <name>ChartView</name>
    <message>
        <source>column</source>
        <translation>Spalte</translation>
    </message>
    <message>
        <source>row</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <source>Insert %1</source>
        <translation>%1 einfügen</translation>
    </message>
    <message>
        <source>Cannot insert a %1: a box would move past the chart&apos;s last %1, %2.</source>
        <translation>Eine %1 kann nicht eingefügt werden: ein Kästchen käme hinter die letzte %1 der Tafel, %2.</translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <source>&amp;Update from family file...</source>
        <translation>Aus Familiendatei &amp;aktualisieren...</translation>
    </message>
    <message>
        <source>Bring the chart up to date with the GEDCOM file it was imported from, keeping your layout
Update from family file</source>
        <translation>Die Tafel auf den Stand der GEDCOM-Datei bringen, aus der sie importiert wurde, und Ihre Anordnung behalten
Aus Familiendatei aktualisieren</translation>
    </message>
    <message>
        <source>&amp;Link to family file...</source>
        <translation>Mit Familiendatei &amp;verknüpfen...</translation>
    </message>
    <message>
        <source>Link the boxes to the persons of a GEDCOM file, so that the chart can be updated from it
Link to family file</source>
        <translation>Die Kästchen mit den Personen einer GEDCOM-Datei verknüpfen, damit die Tafel aus ihr aktualisiert werden kann
Mit Familiendatei verknüpfen</translation>
    </message>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation>&amp;Neu	Strg+N</translation>
    </message>
    <message>
        <source>Create a new, empty tree
New</source>
        <translation>Einen neuen, leeren Baum anlegen
Neu</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>Ö&amp;ffnen...	Strg+O</translation>
    </message>
    <message>
        <source>Open an existing tree file
Open</source>
        <translation>Eine vorhandene Baumdatei öffnen
Öffnen</translation>
    </message>
    <message>
        <source>Re&amp;cover...</source>
        <translation>&amp;Wiederherstellen...</translation>
    </message>
    <message>
        <source>Open or discard the unsaved changes of an editor that crashed
Recover</source>
        <translation>Die ungesicherten Änderungen eines abgestürzten Editors öffnen oder verwerfen
Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>&amp;Speichern	Strg+S</translation>
    </message>
    <message>
        <source>Save the active tree in a file
Save</source>
        <translation>Den aktiven Baum in einer Datei speichern
Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Save the active tree under a new name
Save As</source>
        <translation>Den aktiven Baum unter einem neuen Namen speichern
Speichern unter</translation>
    </message>
    <message>
        <source>&amp;Import GEDCOM...</source>
        <translation>GEDCOM &amp;importieren...</translation>
    </message>
    <message>
        <source>Make a chart of a person&apos;s descendants or ancestors from a GEDCOM file
Import GEDCOM</source>
        <translation>Aus einer GEDCOM-Datei eine Tafel der Nachkommen oder Vorfahren einer Person machen
GEDCOM importieren</translation>
    </message>
    <message>
        <source>Export &amp;html...	Ctrl+H</source>
        <translation>Als &amp;HTML exportieren...	Strg+H</translation>
    </message>
    <message>
        <source>Write an html file to put the tree into your website </source>
        <translation>Eine HTML-Datei schreiben, um den Baum in Ihre Website zu stellen</translation>
    </message>
    <message>
        <source>Export i&amp;mage...</source>
        <translation>Als Bild e&amp;xportieren...</translation>
    </message>
    <message>
        <source>Publish &amp;web page...</source>
        <translation>Als Webseite veröffent&amp;lichen...</translation>
    </message>
    <message>
        <source>Write the chart as one web page to pan, zoom and search in a browser
Publish web page</source>
        <translation>Den Stammbaum als eine Webseite schreiben, die man im Browser verschieben, zoomen und durchsuchen kann
Als Webseite veröffentlichen</translation>
    </message>
    <message>
        <source>Write the chart as a PNG or SVG picture or a PDF document
Export image</source>
        <translation>Die Tafel als PNG- oder SVG-Bild oder als PDF-Dokument schreiben
Als Bild exportieren</translation>
    </message>
    <message>
        <source>&amp;Print...	Ctrl+P</source>
        <translation>&amp;Drucken...	Strg+P</translation>
    </message>
    <message>
        <source>Print the active document
Print</source>
        <translation>Das aktive Dokument drucken
Drucken</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>Druck&amp;vorschau</translation>
    </message>
    <message>
        <source>Display full pages
Print Preview</source>
        <translation>Ganze Seiten anzeigen
Druckvorschau</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>Drucker&amp;einrichtung...</translation>
    </message>
    <message>
        <source>Change the printer and printing options
Print Setup</source>
        <translation>Drucker und Druckoptionen ändern
Druckereinrichtung</translation>
    </message>
    <message>
        <source>Log tree</source>
        <translation>Baum protokollieren</translation>
    </message>
    <message>
        <source>Produce debug information in file &quot;stirpalog.txt&quot;</source>
        <translation>Diagnoseinformationen in die Datei „stirpalog.txt“ schreiben</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>Zuletzt geöffnete Datei</translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation>Dieses Dokument öffnen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation>Die Anwendung beenden; fragt, ob Dokumente gespeichert werden sollen
Beenden</translation>
    </message>
    <message>
        <source>&amp;Undo	Ctrl+Z</source>
        <translation>&amp;Rückgängig	Strg+Z</translation>
    </message>
    <message>
        <source>Undo the last action
Undo</source>
        <translation>Die letzte Aktion rückgängig machen
Rückgängig</translation>
    </message>
    <message>
        <source>Cu&amp;t	Ctrl+X</source>
        <translation>&amp;Ausschneiden	Strg+X</translation>
    </message>
    <message>
        <source>Cut the selection and put it on the Clipboard
Cut</source>
        <translation>Die Auswahl ausschneiden und in die Zwischenablage legen
Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy	Ctrl+C</source>
        <translation>&amp;Kopieren	Strg+C</translation>
    </message>
    <message>
        <source>Copy the selection and put it on the Clipboard
Copy</source>
        <translation>Die Auswahl in die Zwischenablage kopieren
Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste	Ctrl+V</source>
        <translation>&amp;Einfügen	Strg+V</translation>
    </message>
    <message>
        <source>Insert Clipboard contents
Paste</source>
        <translation>Den Inhalt der Zwischenablage einfügen
Einfügen</translation>
    </message>
    <message>
        <source>&amp;Find...	Ctrl+F</source>
        <translation>&amp;Suchen...	Strg+F</translation>
    </message>
    <message>
        <source>Find a box by its text
Find</source>
        <translation>Ein Kästchen nach seinem Text suchen
Suchen</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Symbolleiste</translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation>Die Symbolleiste ein- oder ausblenden
Symbolleiste ein/aus</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>S&amp;tatusleiste</translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation>Die Statusleiste ein- oder ausblenden
Statusleiste ein/aus</translation>
    </message>
    <message>
        <source>&amp;Refresh	Ctrl+R</source>
        <translation>&amp;Aktualisieren	Strg+R</translation>
    </message>
    <message>
        <source>Zoom &amp;In	Ctrl+=</source>
        <translation>Ver&amp;größern	Strg+=</translation>
    </message>
    <message>
        <source>Show the chart larger
Zoom In</source>
        <translation>Die Tafel größer zeigen
Vergrößern</translation>
    </message>
    <message>
        <source>Zoom &amp;Out	Ctrl+-</source>
        <translation>Ver&amp;kleinern	Strg+-</translation>
    </message>
    <message>
        <source>Show the chart smaller
Zoom Out</source>
        <translation>Die Tafel kleiner zeigen
Verkleinern</translation>
    </message>
    <message>
        <source>&amp;Actual Size	Ctrl+0</source>
        <translation>&amp;Originalgröße	Strg+0</translation>
    </message>
    <message>
        <source>Show the chart at its own size</source>
        <translation>Die Tafel in ihrer eigenen Größe zeigen</translation>
    </message>
    <message>
        <source>&amp;Fit Chart	Ctrl+9</source>
        <translation>&amp;Einpassen	Strg+9</translation>
    </message>
    <message>
        <source>Show the whole chart in the window</source>
        <translation>Die ganze Tafel im Fenster zeigen</translation>
    </message>
    <message>
        <source>O&amp;verview</source>
        <translation>Ü&amp;bersicht</translation>
    </message>
    <message>
        <source>Show or hide the overview of the whole chart</source>
        <translation>Die Übersicht über die ganze Tafel ein- oder ausblenden</translation>
    </message>
    <message>
        <source>&amp;Define person...</source>
        <translation>Person &amp;definieren...</translation>
    </message>
    <message>
        <source>Enter or change description and connections for a person</source>
        <translation>Beschreibung und Verbindungen einer Person eingeben oder ändern</translation>
    </message>
    <message>
        <source>Insert &amp;column	Ctrl++</source>
        <translation>&amp;Spalte einfügen	Strg++</translation>
    </message>
    <message>
        <source>Insert a blank column to the left of currently selected person</source>
        <translation>Links der ausgewählten Person eine leere Spalte einfügen</translation>
    </message>
    <message>
        <source>Insert &amp;row	Ctrl+Shift++</source>
        <translation>&amp;Zeile einfügen	Strg+Umschalt++</translation>
    </message>
    <message>
        <source>Insert a blank row above currently selected person</source>
        <translation>Über der ausgewählten Person eine leere Zeile einfügen</translation>
    </message>
    <message>
        <source>Find &amp;parent...</source>
        <translation>&amp;Elternteil finden...</translation>
    </message>
    <message>
        <source>Rela&amp;tionship...</source>
        <translation>Ver&amp;wandtschaft...</translation>
    </message>
    <message>
        <source>Tell how the person of the box selected before is related to the person of the selected box
Relationship</source>
        <translation>Zeigen, wie die Person des zuvor ausgewählten Kästchens mit der Person des ausgewählten Kästchens verwandt ist
Verwandtschaft</translation>
    </message>
    <message>
        <source>&amp;Settings...</source>
        <translation>E&amp;instellungen...</translation>
    </message>
    <message>
        <source>Change settings for you tree, such as the box size</source>
        <translation>Einstellungen des Baums ändern, etwa die Kästchengröße</translation>
    </message>
    <message>
        <source>&amp;Help topics...</source>
        <translation>&amp;Hilfethemen...</translation>
    </message>
    <message>
        <source>Help &amp;index...</source>
        <translation>&amp;Stichwortverzeichnis...</translation>
    </message>
    <message>
        <source>&amp;Sample</source>
        <translation>Beis&amp;piel</translation>
    </message>
    <message>
        <source>Open a small sample tree to play with</source>
        <translation>Einen kleinen Beispielbaum zum Ausprobieren öffnen</translation>
    </message>
    <message>
        <source>&amp;About Stirpa...</source>
        <translation>Ü&amp;ber Stirpa...</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright
About</source>
        <translation>Programminformationen, Versionsnummer und Copyright anzeigen
Über</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Tree</source>
        <translation>Bau&amp;m</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
</context>
<context>
    <name>CrashRecovery</name>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
</context>
<context>
    <name>FindBar</name>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Find in descriptions</source>
        <translation>In den Beschreibungen suchen</translation>
    </message>
    <message>
        <source>Find:</source>
        <translation>Suchen:</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Shift+Enter, Shift+F3</source>
        <translation>Umschalt+Enter, Umschalt+F3</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Enter, F3</source>
        <translation>Enter, F3</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>Not found</source>
        <translation>Nicht gefunden</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
</context>
<context>
    <name>FindParentDialog</name>
    <message>
        <source>Immediate parent</source>
        <translation>Direkter Elternteil</translation>
    </message>
    <message>
        <source>Ancestor</source>
        <translation>Vorfahr</translation>
    </message>
    <message>
        <source>Highlight lineage</source>
        <translation>Linie hervorheben</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Find Parent</source>
        <translation>Elternteil finden</translation>
    </message>
</context>
<context>
    <name>GedcomImportDialog</name>
    <message>
        <source>&amp;Descendants</source>
        <translation>&amp;Nachkommen</translation>
    </message>
    <message>
        <source>&amp;Ancestors</source>
        <translation>&amp;Vorfahren</translation>
    </message>
    <message>
        <source>&amp;Places of birth and death</source>
        <translation>&amp;Geburts- und Sterbeorte</translation>
    </message>
    <message>
        <source>&amp;Marriage dates</source>
        <translation>&amp;Heiratsdaten</translation>
    </message>
    <message>
        <source>Short: %1, %2</source>
        <translation>Kurz: %1, %2</translation>
    </message>
    <message>
        <source>Long: %1, %2</source>
        <translation>Lang: %1, %2</translation>
    </message>
    <message>
        <source>Show t&amp;itles before names</source>
        <translation>T&amp;itel vor den Namen zeigen</translation>
    </message>
    <message>
        <source>Show &quot;Queen Victoria Hanover&quot; for Victoria Hanover titled &quot;Queen&quot;</source>
        <translation>„Queen Victoria Hanover“ für Victoria Hanover mit dem Titel „Queen“ zeigen</translation>
    </message>
    <message>
        <source>As the file writes them</source>
        <translation>Wie die Datei sie schreibt</translation>
    </message>
    <message>
        <source>Da&amp;tes:</source>
        <translation>&amp;Daten:</translation>
    </message>
    <message>
        <source>&amp;Keep underscores in names</source>
        <translation>Unters&amp;triche in Namen behalten</translation>
    </message>
    <message>
        <source>Show &quot;Edward_VII&quot; as the file writes it, not as &quot;Edward VII&quot;</source>
        <translation>„Edward_VII“ so zeigen, wie die Datei es schreibt, nicht als „Edward VII“</translation>
    </message>
    <message>
        <source>Import GEDCOM</source>
        <translation>GEDCOM importieren</translation>
    </message>
    <message>
        <source>Type part of a name or a year</source>
        <translation>Einen Teil eines Namens oder eine Jahreszahl eingeben</translation>
    </message>
    <message>
        <source>&amp;Find:</source>
        <translation>&amp;Suchen:</translation>
    </message>
    <message>
        <source>Show:</source>
        <translation>Zeigen:</translation>
    </message>
    <message>
        <source>&amp;Generations:</source>
        <translation>G&amp;enerationen:</translation>
    </message>
    <message>
        <source>No person matches.</source>
        <translation>Keine Person passt.</translation>
    </message>
    <message>
        <source>The chart will have 1 box.</source>
        <translation>Die Tafel wird 1 Kästchen haben.</translation>
    </message>
    <message>
        <source>The chart will have %1 boxes.</source>
        <translation>Die Tafel wird %1 Kästchen haben.</translation>
    </message>
    <message>
        <source>People</source>
        <translation>Personen</translation>
    </message>
    <message>
        <source>Show everything</source>
        <translation>Alles zeigen</translation>
    </message>
    <message>
        <source>Names only</source>
        <translation>Nur die Namen</translation>
    </message>
    <message>
        <source>Hide as &quot;Living&quot;</source>
        <translation>Als „Living“ verbergen</translation>
    </message>
    <message>
        <source>Show everything, records marked private too</source>
        <translation>Alles zeigen, auch als privat markierte Datensätze</translation>
    </message>
    <message>
        <source>&amp;Living persons:</source>
        <translation>&amp;Lebende Personen:</translation>
    </message>
    <message>
        <source>No one in the chart is living.</source>
        <translation>Niemand in der Tafel lebt noch.</translation>
    </message>
    <message>
        <source>1 person in the chart is living.</source>
        <translation>1 Person in der Tafel lebt noch.</translation>
    </message>
    <message>
        <source>%1 persons in the chart are living.</source>
        <translation>%1 Personen in der Tafel leben noch.</translation>
    </message>
    <message>
        <source>&amp;Hourglass</source>
        <translation>Sand&amp;uhr</translation>
    </message>
    <message>
        <source>Generations &amp;up:</source>
        <translation>Generationen &amp;aufwärts:</translation>
    </message>
    <message>
        <source>&amp;Book of charts, each at most</source>
        <translation>&amp;Buch aus Tafeln, jede höchstens</translation>
    </message>
    <message>
        <source> columns wide</source>
        <translation> Spalten breit</translation>
    </message>
    <message>
        <source>Ancestors above the person, descendants below</source>
        <translation>Vorfahren über der Person, Nachkommen darunter</translation>
    </message>
    <message>
        <source>Branches that would make a chart wider go on in charts of their own, saved beside it and linked by continuation boxes</source>
        <translation>Zweige, die eine Tafel breiter machten, gehen in eigenen Tafeln weiter, neben ihr gespeichert und durch Fortsetzungskästchen verbunden</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Stirpa Help</source>
        <translation>Stirpa-Hilfe</translation>
    </message>
    <message>
        <source>Stirpa Help - %1</source>
        <translation>Stirpa-Hilfe - %1</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>Search the help</source>
        <translation>Hilfe durchsuchen</translation>
    </message>
    <message>
        <source>Help topics</source>
        <translation>Hilfethemen</translation>
    </message>
    <message>
        <source>Help text</source>
        <translation>Hilfetext</translation>
    </message>
</context>
<context>
    <name>WebPageDialog</name>
    <message>
        <source>Publish web page</source>
        <translation>Als Webseite veröffentlichen</translation>
    </message>
    <message>
        <source>Chart&apos;s background colour instead of white paper</source>
        <translation>Hintergrundfarbe des Stammbaums statt weißem Papier</translation>
    </message>
</context>
<context>
    <name>HtmlExportDialog</name>
    <message>
        <source>Write html</source>
        <translation>HTML schreiben</translation>
    </message>
    <message>
        <source>Complete page</source>
        <translation>Vollständige Seite</translation>
    </message>
    <message>
        <source>Persons only</source>
        <translation>Nur Personen</translation>
    </message>
    <message>
        <source>Escape text</source>
        <translation>Text maskieren</translation>
    </message>
    <message>
        <source>html Code to Write</source>
        <translation>Zu schreibender HTML-Code</translation>
    </message>
    <message>
        <source>Write descriptions as plain text rather than as HTML</source>
        <translation>Beschreibungen als reinen Text statt als HTML schreiben</translation>
    </message>
    <message>
        <source>Descriptions are written as HTML: type &amp; as &amp;amp;amp; and &amp;lt; as &amp;amp;lt;, or tick Escape text.</source>
        <translation>Beschreibungen werden als HTML geschrieben: &amp; als &amp;amp;amp; und &amp;lt; als &amp;amp;lt; eingeben oder „Text maskieren“ ankreuzen.</translation>
    </message>
</context>
<context>
    <name>LockKeyPanes</name>
    <message>
        <source>CAP</source>
        <translation>UF</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>RF</translation>
    </message>
    <message>
        <source>Caps Lock</source>
        <translation>Feststelltaste</translation>
    </message>
    <message>
        <source>Num Lock</source>
        <translation>Num-Taste</translation>
    </message>
    <message>
        <source>Scroll Lock</source>
        <translation>Rollen-Taste</translation>
    </message>
</context>
<context>
    <name>FamilyChangesDialog</name>
    <message>
        <source>column %1, generation %2</source>
        <translation>Spalte %1, Generation %2</translation>
    </message>
    <message>
        <source>Person</source>
        <translation>Person</translation>
    </message>
    <message>
        <source>Box</source>
        <translation>Kästchen</translation>
    </message>
    <message>
        <source>Changes</source>
        <translation>Änderungen</translation>
    </message>
    <message>
        <source>Nothing is changed until you choose Apply.</source>
        <translation>Nichts wird geändert, bevor Sie Anwenden wählen.</translation>
    </message>
    <message>
        <source>Choose a person to select the box in the chart.</source>
        <translation>Wählen Sie eine Person, um ihr Kästchen in der Tafel auszuwählen.</translation>
    </message>
</context>
<context>
    <name>Update</name>
    <message>
        <source>New text</source>
        <translation>Neuer Text</translation>
    </message>
    <message>
        <source>Kept your text</source>
        <translation>Ihr Text behalten</translation>
    </message>
    <message>
        <source>New persons</source>
        <translation>Neue Personen</translation>
    </message>
    <message>
        <source>Left the family file</source>
        <translation>Nicht mehr in der Familiendatei</translation>
    </message>
    <message>
        <source>Parents changed</source>
        <translation>Eltern geändert</translation>
    </message>
    <message>
        <source>Found no place</source>
        <translation>Kein Platz gefunden</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Chart pages...</source>
        <translation>Tafelseiten...</translation>
    </message>
    <message>
        <source>This chart takes its persons from %1, outside its own folder. Read that file?</source>
        <translation>Diese Tafel nimmt ihre Personen aus %1, außerhalb ihres eigenen Ordners. Diese Datei lesen?</translation>
    </message>
    <message>
        <source>Update from family file</source>
        <translation>Aus Familiendatei aktualisieren</translation>
    </message>
    <message>
        <source>The chart&apos;s family file %1 is gone. Choose the file it became?</source>
        <translation>Die Familiendatei der Tafel, %1, ist nicht mehr da. Die Datei wählen, die an ihre Stelle trat?</translation>
    </message>
    <message>
        <source>Relationship</source>
        <translation>Verwandtschaft</translation>
    </message>
    <message>
        <source>This chart is not linked to a family file, which tells how its persons are related. Tree &gt; Link to family file links it.</source>
        <translation>Diese Tafel ist mit keiner Familiendatei verknüpft, die sagt, wie ihre Personen verwandt sind. Baum &gt; Mit Familiendatei verknüpfen verknüpft sie.</translation>
    </message>
    <message>
        <source>Select the box of one person, then the box of the other, then choose Tree &gt; Relationship.</source>
        <translation>Das Kästchen der einen Person auswählen, dann das der anderen, dann Baum &gt; Verwandtschaft wählen.</translation>
    </message>
    <message>
        <source>The chart&apos;s family file %1 is gone. File &gt; Update from family file finds the file it became.</source>
        <translation>Die Familiendatei der Tafel, %1, ist nicht mehr da. Datei &gt; Aus Familiendatei aktualisieren findet die Datei, die an ihre Stelle trat.</translation>
    </message>
    <message>
        <source>The box &quot;%1&quot; stands for no person of %2.</source>
        <translation>Das Kästchen „%1“ steht für keine Person aus %2.</translation>
    </message>
    <message>
        <source>Both boxes stand for %1.</source>
        <translation>Beide Kästchen stehen für %1.</translation>
    </message>
    <message>
        <source>What %1 changes in the chart.</source>
        <translation>Was %1 an der Tafel ändert.</translation>
    </message>
    <message>
        <source>Column %1, generation %2</source>
        <translation>Spalte %1, Generation %2</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>the hourglass of %1, %2 generation(s) up and %3 down</source>
        <translation>die Sanduhr von %1, %2 Generation(en) hinauf und %3 hinab</translation>
    </message>
    <message numerus="yes">
        <source>What %1 changes in the book&apos;s %n chart(s).</source>
        <translation>
            <numerusform>Was %1 an der %n Tafel des Buchs ändert.</numerusform>
            <numerusform>Was %1 an den %n Tafeln des Buchs ändert.</numerusform>
        </translation>
    </message>
    <message>
        <source>The book is up to date with %1.</source>
        <translation>Das Buch ist auf dem Stand von %1.</translation>
    </message>
    <message>
        <source>Apply saves the book&apos;s other charts at once.</source>
        <translation>Übernehmen speichert die übrigen Tafeln des Buchs sofort.</translation>
    </message>
    <message>
        <source>The chart is up to date with %1.</source>
        <translation>Die Tafel ist auf dem Stand von %1.</translation>
    </message>
    <message>
        <source>Continuation boxes counted anew: %1.</source>
        <translation>Fortsetzungskästchen neu gezählt: %1.</translation>
    </message>
    <message>
        <source>See boxes written anew: %1.</source>
        <translation>Verweiskästchen neu geschrieben: %1.</translation>
    </message>
    <message>
        <source>The chart will remember this file as its family file.</source>
        <translation>Die Tafel merkt sich diese Datei als ihre Familiendatei.</translation>
    </message>
    <message>
        <source>Link to family file</source>
        <translation>Mit Familiendatei verknüpfen</translation>
    </message>
    <message numerus="yes">
        <source>the ancestors of %1, %n generation(s)</source>
        <translation>
            <numerusform>die Vorfahren von %1, %n Generation</numerusform>
            <numerusform>die Vorfahren von %1, %n Generationen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the descendants of %1, %n generation(s)</source>
        <translation>
            <numerusform>die Nachkommen von %1, %n Generation</numerusform>
            <numerusform>die Nachkommen von %1, %n Generationen</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 of %2 boxes match persons of %3. The chart will stand for %4, so that File &gt; Update from family file can bring in the file&apos;s changes.</source>
        <translation>%1 von %2 Kästchen passen zu Personen aus %3. Die Tafel steht dann für %4, sodass Datei &gt; Aus Familiendatei aktualisieren die Änderungen der Datei übernehmen kann.</translation>
    </message>
    <message>
        <source>Not linked</source>
        <translation>Nicht verknüpft</translation>
    </message>
    <message>
        <source>Publish web page</source>
        <translation>Als Webseite veröffentlichen</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Symbolleiste</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>Übersicht</translation>
    </message>
    <message>
        <source>Zoom (Ctrl+wheel, Ctrl+=, Ctrl+-)</source>
        <translation>Zoom (Strg+Mausrad, Strg+=, Strg+-)</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Stirpa</source>
        <translation>Stirpa</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Recover unsaved changes to %1 from %2?</source>
        <translation>Ungesicherte Änderungen an %1 vom %2 wiederherstellen?</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>%1 was changed by another program since it was opened. Save over those changes?</source>
        <translation>%1 wurde seit dem Öffnen von einem anderen Programm geändert. Diese Änderungen überschreiben?</translation>
    </message>
    <message>
        <source>Save it under another name?</source>
        <translation>Unter einem anderen Namen speichern?</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Neu laden</translation>
    </message>
    <message>
        <source>Recover</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Unsaved changes to %1 can be recovered: File &gt; Recover...</source>
        <translation>Ungesicherte Änderungen an %1 können wiederhergestellt werden: Datei &gt; Wiederherstellen...</translation>
    </message>
    <message>
        <source>Write html</source>
        <translation>HTML schreiben</translation>
    </message>
    <message>
        <source>Export image</source>
        <translation>Als Bild exportieren</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Beispiel</translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation>Dieses Dokument öffnen</translation>
    </message>
    <message>
        <source>Import GEDCOM</source>
        <translation>GEDCOM importieren</translation>
    </message>
    <message>
        <source>Overview of the whole chart</source>
        <translation>Übersicht über die ganze Tafel</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
</context>
<context>
    <name>Message</name>
    <message>
        <source>%1 holds no persons.</source>
        <translation>%1 enthält keine Personen.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; does not end in .png, .svg or .pdf</source>
        <translation>„%1“ endet nicht auf .png, .svg oder .pdf</translation>
    </message>
    <message>
        <source>Cannot write &apos;%1&apos;: %2</source>
        <translation>„%1“ kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Cannot write &apos;%1&apos;: it is not a regular file.</source>
        <translation>„%1“ kann nicht geschrieben werden: es ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>The file &apos;%1&apos; is write-protected.</source>
        <translation>Die Datei „%1“ ist schreibgeschützt.</translation>
    </message>
    <message>
        <source>Cannot create a file in &apos;%1&apos;: %2</source>
        <translation>In „%1“ kann keine Datei angelegt werden: %2</translation>
    </message>
    <message>
        <source>Invalid record detected in file &apos;%1&apos;:
%2</source>
        <translation>Ungültiger Eintrag in der Datei „%1“:
%2</translation>
    </message>
    <message>
        <source>Cannot open the file &apos;%1&apos;: it is too large to be a chart (at most %2 MB).</source>
        <translation>Die Datei „%1“ kann nicht geöffnet werden: sie ist zu groß für eine Tafel (höchstens %2 MB).</translation>
    </message>
    <message>
        <source>Cannot open the file &apos;%1&apos;: at %2 MB it is too large to be a chart (at most %3 MB).</source>
        <translation>Die Datei „%1“ kann nicht geöffnet werden: mit %2 MB ist sie zu groß für eine Tafel (höchstens %3 MB).</translation>
    </message>
    <message>
        <source>Cannot open the file &apos;%1&apos;: it is not a regular file.</source>
        <translation>Die Datei „%1“ kann nicht geöffnet werden: sie ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>Cannot open the file &apos;%1&apos;: it is a folder.</source>
        <translation>Die Datei „%1“ kann nicht geöffnet werden: sie ist ein Ordner.</translation>
    </message>
    <message>
        <source>Cannot open the file &apos;%1&apos;.</source>
        <translation>Die Datei „%1“ kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Cannot open the file &apos;%1&apos;: there is not enough memory.</source>
        <translation>Die Datei „%1“ kann nicht geöffnet werden: es ist nicht genug Speicher frei.</translation>
    </message>
    <message>
        <source>Cannot read %1: there is not enough memory.</source>
        <translation>%1 kann nicht gelesen werden: es ist nicht genug Speicher frei.</translation>
    </message>
    <message>
        <source>Cannot read the page template &apos;%1&apos;: it is in none of %2.</source>
        <translation>Die Seitenvorlage „%1“ kann nicht gelesen werden: sie ist an keinem dieser Orte: %2.</translation>
    </message>
    <message>
        <source>Cannot read the page template &apos;%1&apos;: %2.</source>
        <translation>Die Seitenvorlage „%1“ kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>Cannot read the page template &apos;%1&apos;: it is not a regular file.</source>
        <translation>Die Seitenvorlage „%1“ kann nicht gelesen werden: sie ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>Cannot read the page template &apos;%1&apos;: it is larger than %2 MB.</source>
        <translation>Die Seitenvorlage „%1“ kann nicht gelesen werden: sie ist größer als %2 MB.</translation>
    </message>
    <message>
        <source>The page template &apos;%1&apos; has no TREE line.</source>
        <translation>Die Seitenvorlage „%1“ hat keine TREE-Zeile.</translation>
    </message>
    <message>
        <source>Cannot create the file &apos;%1&apos;: it is not a regular file</source>
        <translation>Die Datei „%1“ kann nicht angelegt werden: sie ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>Cannot create the file &apos;%1&apos;: %2</source>
        <translation>Die Datei „%1“ kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>The chart of a book has no file; open it from its book to update.</source>
        <translation>Die Tafel eines Buchs hat keine Datei; öffnen Sie sie aus ihrem Buch, um sie zu aktualisieren.</translation>
    </message>
    <message>
        <source>The family file has more than one person %1, the chart&apos;s root.</source>
        <translation>Die Familiendatei hat mehr als eine Person %1, die Wurzel der Tafel.</translation>
    </message>
    <message>
        <source>The book&apos;s main chart is not beside this chart.</source>
        <translation>Die Haupttafel des Buchs liegt nicht neben dieser Tafel.</translation>
    </message>
    <message>
        <source>The charts of a book are named after its main chart: the name of %1 must end in %2.</source>
        <translation>Die Tafeln eines Buchs heißen nach seiner Haupttafel: der Name von %1 muss auf %2 enden.</translation>
    </message>
    <message>
        <source>The chart is not linked to a family file.</source>
        <translation>Das Diagramm ist mit keiner Familiendatei verknüpft.</translation>
    </message>
    <message>
        <source>The family file has no person %1, the chart&apos;s root.</source>
        <translation>Die Familiendatei enthält die Person %1 nicht mehr, mit der das Diagramm beginnt.</translation>
    </message>
    <message>
        <source>No box of the chart names a person of the file.</source>
        <translation>Kein Kästchen des Diagramms nennt eine Person der Datei.</translation>
    </message>
    <message>
        <source>There is no such person to start from.</source>
        <translation>Es gibt keine solche Person, bei der begonnen werden kann.</translation>
    </message>
    <message>
        <source>The chart would need more than %1 columns; choose fewer generations.</source>
        <translation>Die Tafel bräuchte mehr als %1 Spalten; wählen Sie weniger Generationen.</translation>
    </message>
    <message>
        <source>%1 is not a GEDCOM file: it is empty.</source>
        <translation>%1 ist keine GEDCOM-Datei: sie ist leer.</translation>
    </message>
    <message>
        <source>%1 is not a GEDCOM file: it does not begin with &quot;0 HEAD&quot;.</source>
        <translation>%1 ist keine GEDCOM-Datei: sie beginnt nicht mit „0 HEAD“.</translation>
    </message>
    <message>
        <source>%1 is not a GEDCOM file: it holds a run of zero bytes at byte %2.</source>
        <translation>%1 ist keine GEDCOM-Datei: sie enthält ab Byte %2 eine Folge von Null-Bytes.</translation>
    </message>
    <message>
        <source>Cannot write &apos;%1&apos;: it is the same file as &apos;%2&apos;, which this command reads; nothing was written.</source>
        <translation>„%1“ kann nicht geschrieben werden: es ist dieselbe Datei wie „%2“, die dieser Befehl liest; es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>Cannot write &apos;%1&apos;: it is a file that is not a Stirpa chart; nothing was written (--replace replaces it).</source>
        <translation>„%1“ kann nicht geschrieben werden: die Datei ist keine Stirpa-Tafel; es wurde nichts geschrieben (--replace ersetzt sie).</translation>
    </message>
    <message>
        <source>Cannot write &apos;%1&apos;: it is a Stirpa chart, which an export never replaces; nothing was written.</source>
        <translation>„%1“ kann nicht geschrieben werden: es ist eine Stirpa-Tafel, die ein Export nie ersetzt; es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>Cannot write &apos;%1&apos;: it is a GEDCOM file, which Stirpa never replaces; nothing was written.</source>
        <translation>„%1“ kann nicht geschrieben werden: es ist eine GEDCOM-Datei, die Stirpa nie ersetzt; es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>Cannot write &apos;%1&apos;: it is a symbolic link, and a book writes only files of its own; nothing was written.</source>
        <translation>„%1“ kann nicht geschrieben werden: es ist ein symbolischer Link, und ein Tafelbuch schreibt nur eigene Dateien; es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>Cannot write &apos;%1&apos;: it is not a chart of this book; nothing was written (--replace replaces it).</source>
        <translation>„%1“ kann nicht geschrieben werden: die Datei ist keine Tafel dieses Buchs; es wurde nichts geschrieben (--replace ersetzt sie).</translation>
    </message>
    <message>
        <source>Cannot write &apos;%1&apos;: its name is longer than a file&apos;s may be; choose a shorter name for the book.</source>
        <translation>„%1“ kann nicht geschrieben werden: der Name ist länger, als ein Dateiname sein darf; wählen Sie einen kürzeren Namen für das Buch.</translation>
    </message>
    <message>
        <source>Cannot make a book named &apos;%1&apos;: the links between its pages would be cut at its &apos;:&apos; or &apos;\&apos;; choose a name without them.</source>
        <translation>Ein Buch namens „%1“ ist nicht möglich: die Verweise zwischen seinen Seiten würden an „:“ oder „\“ abgeschnitten; wählen Sie einen Namen ohne sie.</translation>
    </message>
    <message>
        <source>This is not a GEDCOM file: it does not begin with &quot;0 HEAD&quot;.</source>
        <translation>Dies ist keine GEDCOM-Datei: sie beginnt nicht mit „0 HEAD“.</translation>
    </message>
    <message>
        <source>This is not a GEDCOM file: it is empty.</source>
        <translation>Dies ist keine GEDCOM-Datei: sie ist leer.</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>%1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>there is not enough memory to render the chart</source>
        <translation>für das Zeichnen der Tafel ist nicht genug Speicher frei</translation>
    </message>
    <message>
        <source>the chart would take %1 pages, more than %2: choose a smaller scale or fewer pages wide</source>
        <translation>die Tafel bräuchte %1 Seiten, mehr als %2: wählen Sie einen kleineren Maßstab oder weniger Seiten in der Breite</translation>
    </message>
    <message>
        <source>the render was cancelled</source>
        <translation>das Zeichnen wurde abgebrochen</translation>
    </message>
    <message>
        <source>the chart could not be encoded</source>
        <translation>die Tafel konnte nicht kodiert werden</translation>
    </message>
    <message>
        <source>cannot render &apos;%1&apos;: the name must end in .png, .pdf or .svg</source>
        <translation>„%1“ kann nicht gezeichnet werden: der Name muss auf .png, .pdf oder .svg enden</translation>
    </message>
    <message>
        <source>cannot render &apos;%1&apos;: %2</source>
        <translation>„%1“ kann nicht gezeichnet werden: %2</translation>
    </message>
    <message>
        <source>The chart could not be sent to the printer %1.</source>
        <translation>Die Tafel konnte nicht an den Drucker %1 gesendet werden.</translation>
    </message>
    <message>
        <source>The chart could not be printed to %1: the file cannot be written.</source>
        <translation>Die Tafel konnte nicht nach %1 gedruckt werden: die Datei kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>the picture would be %1 × %2 pixels; a PNG can be at most %3 pixels on a side</source>
        <translation>das Bild hätte %1 × %2 Pixel; ein PNG darf höchstens %3 Pixel je Seite haben</translation>
    </message>
    <message>
        <source>The continuation box &apos;%1&apos; at column %2, generation %3 links to %4, which is not beside the page.</source>
        <translation>Das Fortsetzungskästchen „%1“ in Spalte %2, Generation %3 verweist auf %4, die nicht neben der Seite liegt.</translation>
    </message>
    <message>
        <source>The continuation box &apos;%1&apos; at column %2, generation %3 of %4 leads to %5, which is not there.</source>
        <translation>Das Fortsetzungskästchen „%1“ in Spalte %2, Generation %3 von %4 führt zu %5, die es nicht gibt.</translation>
    </message>
    <message>
        <source>The family file %1 cannot be read (%2): lines of ancestors follow the connectors.</source>
        <translation>Die Familiendatei %1 kann nicht gelesen werden (%2): die Ahnenlinien folgen den Verbindungslinien.</translation>
    </message>
    <message>
        <source>Cannot copy %1 beside the page: %2.</source>
        <translation>%1 kann nicht neben die Seite kopiert werden: %2.</translation>
    </message>
    <message>
        <source>Copied %1 beside the page from %2.</source>
        <translation>%1 aus %2 neben die Seite kopiert.</translation>
    </message>
    <message>
        <source>The file names no character set; it was read as %1, a guess.</source>
        <translation>Die Datei nennt keinen Zeichensatz; sie wurde vermutungsweise als %1 gelesen.</translation>
    </message>
    <message>
        <source>The file names the character set %1, which is not known here; it was read as %2, a guess.</source>
        <translation>Die Datei nennt den Zeichensatz %1, der hier unbekannt ist; sie wurde vermutungsweise als %2 gelesen.</translation>
    </message>
    <message>
        <source>The file names the character set %1, but its bytes are %2; it was read as %2.</source>
        <translation>Die Datei nennt den Zeichensatz %1, ihre Bytes sind aber %2; sie wurde als %2 gelesen.</translation>
    </message>
    <message>
        <source>The file names the character set %1, which its bytes do not fit; it was read as %2, a guess.</source>
        <translation>Die Datei nennt den Zeichensatz %1, zu dem ihre Bytes nicht passen; sie wurde vermutungsweise als %2 gelesen.</translation>
    </message>
    <message>
        <source>%1 and their spouses take %2 columns, more than the %3 a chart may have.</source>
        <translation>%1 und die Ehepartner brauchen %2 Spalten, mehr als die %3, die eine Tafel haben darf.</translation>
    </message>
    <message>
        <source>The branches of %1 would need %2 charts beside theirs, more than 99; allow more than %3 columns.</source>
        <translation>Die Zweige von %1 bräuchten %2 Tafeln neben der eigenen, mehr als 99; erlauben Sie mehr als %3 Spalten.</translation>
    </message>
    <message>
        <source>The children of %1 need %2 columns side by side, more than the %3 a chart may have.</source>
        <translation>Die Kinder von %1 brauchen nebeneinander %2 Spalten, mehr als die %3, die eine Tafel haben darf.</translation>
    </message>
    <message>
        <source>A chart would need %1 charts beside it, more than 99; allow more columns.</source>
        <translation>Eine Tafel bräuchte %1 Tafeln neben sich, mehr als 99; erlauben Sie mehr Spalten.</translation>
    </message>
    <message>
        <source>%1 (Of the book's %2 charts, these were written: %3.)</source>
        <translation>%1 (Von den %2 Tafeln des Buchs wurden diese geschrieben: %3.)</translation>
    </message>
</context>
<context>
    <name>PageOptionsWidget</name>
    <message>
        <source>&amp;Actual size over several pages</source>
        <translation>&amp;Originalgröße über mehrere Seiten</translation>
    </message>
    <message>
        <source>&amp;Fit to</source>
        <translation>&amp;Einpassen auf</translation>
    </message>
    <message>
        <source>&amp;Scale</source>
        <translation>&amp;Skalieren</translation>
    </message>
    <message>
        <source>Print &amp;background colour</source>
        <translation>&amp;Hintergrundfarbe drucken</translation>
    </message>
    <message>
        <source>Chart pages</source>
        <translation>Tafelseiten</translation>
    </message>
    <message>
        <source>Poster on one sheet</source>
        <translation>Plakat auf einem Blatt</translation>
    </message>
    <message>
        <source>The chart wrapped into bands of whole columns, stacked on one sheet at the largest scale that fits</source>
        <translation>Die Tafel in Bändern ganzer Spalten umbrochen, untereinander auf einem Blatt im größten Maßstab, der passt</translation>
    </message>
    <message>
        <source>pages wide (1: the whole chart on one page)</source>
        <translation>Seiten breit (1: die ganze Tafel auf einer Seite)</translation>
    </message>
    <message>
        <source>Pages wide</source>
        <translation>Seiten breit</translation>
    </message>
    <message>
        <source>Scale in percent</source>
        <translation>Maßstab in Prozent</translation>
    </message>
    <message>
        <source>Whichever takes fewer pages</source>
        <translation>Was weniger Seiten braucht</translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation>Hochformat</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>Querformat</translation>
    </message>
    <message>
        <source>Pa&amp;per:</source>
        <translation>&amp;Papier:</translation>
    </message>
    <message>
        <source>&amp;Orientation:</source>
        <translation>A&amp;usrichtung:</translation>
    </message>
</context>
<context>
    <name>PersonDialog</name>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>New level</source>
        <translation>Neue Ebene</translation>
    </message>
    <message>
        <source>Continuation box</source>
        <translation>Fortsetzungskästchen</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Linien</translation>
    </message>
    <message>
        <source>Define person</source>
        <translation>Person definieren</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Ebene</translation>
    </message>
    <message>
        <source>Connectors</source>
        <translation>Verbindungslinien</translation>
    </message>
    <message>
        <source>Enter name and description</source>
        <translation>Name und Beschreibung</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Enter adds the box · Ctrl+Enter starts a new line</source>
        <translation>Enter fügt das Kästchen hinzu · Strg+Enter: neue Zeile</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>Spalte</translation>
    </message>
    <message>
        <source>Connect up</source>
        <translation>Nach oben verbinden</translation>
    </message>
    <message>
        <source>Connect right</source>
        <translation>Nach rechts verbinden</translation>
    </message>
    <message>
        <source>Connect down</source>
        <translation>Nach unten verbinden</translation>
    </message>
    <message>
        <source>Connect left</source>
        <translation>Nach links verbinden</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Replace a family file</source>
        <translation>Familiendatei ersetzen</translation>
    </message>
    <message>
        <source>%1 is a family file (GEDCOM). Replace it, and lose what it holds?</source>
        <translation>%1 ist eine Familiendatei (GEDCOM). Ersetzen und ihren Inhalt verlieren?</translation>
    </message>
    <message>
        <source>Exporting the chart…</source>
        <translation>Die Tafel wird exportiert …</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>PDF pages</source>
        <translation>PDF-Seiten</translation>
    </message>
    <message>
        <source>Export image</source>
        <translation>Als Bild exportieren</translation>
    </message>
    <message>
        <source>pixels</source>
        <translation>Pixel</translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation>PNG-Bild (*.png)</translation>
    </message>
    <message>
        <source>SVG drawing (*.svg)</source>
        <translation>SVG-Zeichnung (*.svg)</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>PDF-Dokument (*.pdf)</translation>
    </message>
    <message>
        <source>Stirpa charts (*.txt)</source>
        <translation>Stirpa-Tafeln (*.txt)</translation>
    </message>
    <message>
        <source>Web pages (*.html *.htm)</source>
        <translation>Webseiten (*.html *.htm)</translation>
    </message>
    <message>
        <source>GEDCOM files (*.ged *.GED)</source>
        <translation>GEDCOM-Dateien (*.ged *.GED)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>empty cell</source>
        <translation>leere Zelle</translation>
    </message>
    <message>
        <source>column %1, generation %2</source>
        <translation>Spalte %1, Generation %2</translation>
    </message>
</context>
<context>
    <name>RecoverDialog</name>
    <message>
        <source>Recover</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>Tafel</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Gesichert</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>Ungesicherte Änderungen</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Start with</source>
        <translation>Beginnen mit</translation>
    </message>
    <message>
        <source>Save lineage with tree</source>
        <translation>Abstammungslinie mit dem Baum speichern</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Generation numbers</source>
        <translation>Generationsnummern</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Zeigen</translation>
    </message>
    <message>
        <source>Show reversed</source>
        <translation>Umgekehrt zeigen</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Verbergen</translation>
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
        <source>never</source>
        <translation>nie</translation>
    </message>
    <message>
        <source>Use small font in descriptions from line:</source>
        <translation>Kleine Schrift in Beschreibungen ab Zeile:</translation>
    </message>
    <message>
        <source>Starting position (html)</source>
        <translation>Startposition (HTML)</translation>
    </message>
    <message>
        <source>Box size</source>
        <translation>Kästchengröße</translation>
    </message>
    <message>
        <source>%1 must be a whole number.</source>
        <translation>%1 muss eine ganze Zahl sein.</translation>
    </message>
    <message>
        <source>%1 must be between %2 and %3.</source>
        <translation>%1 muss zwischen %2 und %3 liegen.</translation>
    </message>
    <message>
        <source>Starting position x</source>
        <translation>Startposition x</translation>
    </message>
    <message>
        <source>Starting position y</source>
        <translation>Startposition y</translation>
    </message>
    <message>
        <source>Box size y</source>
        <translation>Kästchengröße y</translation>
    </message>
    <message>
        <source>Box size x</source>
        <translation>Kästchengröße x</translation>
    </message>
    <message>
        <source>Increase start</source>
        <translation>Start erhöhen</translation>
    </message>
    <message>
        <source>Decrease start</source>
        <translation>Start verringern</translation>
    </message>
</context>
<context>
    <name>Undo</name>
    <message>
        <source>Can&apos;t undo</source>
        <translation>Rückgängig nicht möglich</translation>
    </message>
    <message>
        <source>Redo move person</source>
        <translation>Wiederholen: Person verschieben</translation>
    </message>
    <message>
        <source>Undo move person</source>
        <translation>Rückgängig: Person verschieben</translation>
    </message>
    <message>
        <source>Redo switch persons</source>
        <translation>Wiederholen: Personen tauschen</translation>
    </message>
    <message>
        <source>Undo switch persons</source>
        <translation>Rückgängig: Personen tauschen</translation>
    </message>
    <message>
        <source>Undo cut</source>
        <translation>Rückgängig: Ausschneiden</translation>
    </message>
    <message>
        <source>Undo paste person</source>
        <translation>Rückgängig: Person einfügen</translation>
    </message>
    <message>
        <source>Undo drag copy</source>
        <translation>Rückgängig: Kopieren durch Ziehen</translation>
    </message>
    <message>
        <source>Undo erase person</source>
        <translation>Rückgängig: Person löschen</translation>
    </message>
    <message>
        <source>Undo insertion</source>
        <translation>Rückgängig: Einfügen</translation>
    </message>
</context>
<context>
    <name>RelationshipDialog</name>
    <message>
        <source>Relationship</source>
        <translation>Verwandtschaft</translation>
    </message>
</context>
</TS>
