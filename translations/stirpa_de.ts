<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About Stirpa</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stirpa Version 1.0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Family-tree charts, laid out by hand.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChangedFileBar</name>
    <message>
        <source>&amp;Reload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Keep mine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This chart was changed by another program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read the file again; the changes made here are lost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep the chart as it is here; saving will ask before it overwrites the other program&apos;s changes</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChartDocument</name>
    <message>
        <source>Untitled</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChartView</name>
    <message>
        <source>column</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot insert a %1: a box would move past the chart&apos;s last %1, %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a new, empty tree
New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open an existing tree file
Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re&amp;cover...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open or discard the unsaved changes of an editor that crashed
Recover</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the active tree in a file
Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the active tree under a new name
Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import GEDCOM...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make a chart of a person&apos;s descendants or ancestors from a GEDCOM file
Import GEDCOM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export &amp;html...	Ctrl+H</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write an html file to put the tree into your website </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export &amp;image...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the chart as a PNG or SVG picture or a PDF document
Export image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print...	Ctrl+P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print the active document
Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display full pages
Print Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change the printer and printing options
Print Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log tree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Produce debug information in file &quot;stirpalog.txt&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo	Ctrl+Z</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo the last action
Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cu&amp;t	Ctrl+X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut the selection and put it on the Clipboard
Cut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy	Ctrl+C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy the selection and put it on the Clipboard
Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste	Ctrl+V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert Clipboard contents
Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find...	Ctrl+F</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find a box by its text
Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Refresh	Ctrl+R</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom &amp;In	Ctrl+=</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the chart larger
Zoom In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom &amp;Out	Ctrl+-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the chart smaller
Zoom Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Actual Size	Ctrl+0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the chart at its own size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Fit Chart	Ctrl+9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the whole chart in the window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O&amp;verview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide the overview of the whole chart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Define person...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter or change description and connections for a person</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert &amp;column	Ctrl++</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert a blank column to the left of currently selected person</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert &amp;row	Ctrl+Shift++</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert a blank row above currently selected person</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find &amp;parent...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Settings...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change settings for you tree, such as the box size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help topics...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help &amp;index...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Sample</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open a small sample tree to play with</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Stirpa...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display program information, version number and copyright
About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CrashRecovery</name>
    <message>
        <source>Untitled</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FindBar</name>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find in descriptions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift+Enter, Shift+F3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter, F3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Esc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FindParentDialog</name>
    <message>
        <source>Immediate parent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ancestor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Highlight lineage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find Parent</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GedcomImportDialog</name>
    <message>
        <source>&amp;Descendants</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ancestors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Places of birth and death</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Marriage dates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import GEDCOM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type part of a name or a year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Generations:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No person matches.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The chart will have 1 box.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The chart will have %1 boxes.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Stirpa Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stirpa Help - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contents</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HtmlExportDialog</name>
    <message>
        <source>Write html</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Complete page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Persons only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Escape text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>html Code to Write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write descriptions as plain text rather than as HTML</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Descriptions are written as HTML: type &amp; as &amp;amp;amp; and &amp;lt; as &amp;amp;lt;, or tick Escape text.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom (Ctrl+wheel, Ctrl+=, Ctrl+-)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stirpa</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recover unsaved changes to %1 from %2?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was changed by another program since it was opened. Save over those changes?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save it under another name?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recover</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsaved changes to %1 can be recovered: File &gt; Recover...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write html</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sample</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import GEDCOM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GEDCOM files (*.ged *.GED);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds no persons.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Message</name>
    <message>
        <source>&apos;%1&apos; does not end in .png, .svg or .pdf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write &apos;%1&apos;: it is not a regular file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &apos;%1&apos; is write-protected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot create a file in &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid record detected in file &apos;%1&apos;:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open the file &apos;%1&apos;: it is too large to be a chart (at most %2 MB).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open the file &apos;%1&apos;: at %2 MB it is too large to be a chart (at most %3 MB).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open the file &apos;%1&apos;: it is not a regular file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open the file &apos;%1&apos;: it is a folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open the file &apos;%1&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open the file &apos;%1&apos;: there is not enough memory.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read the page template &apos;%1&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read the page template &apos;%1&apos;: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read the page template &apos;%1&apos;: it is not a regular file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read the page template &apos;%1&apos;: it is larger than %2 MB.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page template &apos;%1&apos; has no TREE line.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot create the file &apos;%1&apos;: it is not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot create the file &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no such person to start from.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The chart would need more than %1 columns; choose fewer generations.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is not a GEDCOM file: it does not begin with &quot;0 HEAD&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is not a GEDCOM file: it is empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read %1: the UTF-16 text ends in the middle of a character</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read %1: the character set %2 cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is not enough memory to render the chart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the render was cancelled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the chart could not be encoded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot render &apos;%1&apos;: the name must end in .png, .pdf or .svg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot render &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The chart could not be sent to the printer %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The chart could not be printed to %1: the file cannot be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the picture would be %1 × %2 pixels; a PNG can be at most %3 pixels on a side</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PageOptionsWidget</name>
    <message>
        <source>&amp;Actual size over several pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Fit to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Scale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print &amp;background colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chart pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pages wide (1: the whole chart on one page)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PersonDialog</name>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Continuation box</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Define person</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connectors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter name and description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Exporting the chart…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pixels</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecoverDialog</name>
    <message>
        <source>Recover</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Start with</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save lineage with tree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Generation numbers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show reversed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide</source>
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
        <source>never</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use small font in descriptions from line:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starting position (html)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Box size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 must be a whole number.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 must be between %2 and %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starting position x</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starting position y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Box size y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Box size x</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
