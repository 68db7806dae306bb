<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>almanis::AlarmWindow</name>
    <message>
        <source>Event Alert!</source>
        <translation>Ereignis-Alarm!</translation>
    </message>
    <message>
        <source>Due events</source>
        <translation>Fällige Ereignisse</translation>
    </message>
    <message>
        <source>&amp;Remind Me Later</source>
        <translation>&amp;Später erinnern</translation>
    </message>
    <message>
        <source>Do &amp;Not Remind Me Again</source>
        <translation>&amp;Nicht mehr erinnern</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>New Day Has Come is today&apos;s Event.</source>
        <translation>Ein neuer Tag ist das heutige Ereignis.</translation>
    </message>
    <message>
        <source>Remind after 1 hour</source>
        <translation>In 1 Stunde erinnern</translation>
    </message>
    <message>
        <source>Remind after 2 hours</source>
        <translation>In 2 Stunden erinnern</translation>
    </message>
    <message>
        <source>Remind after 6 hours</source>
        <translation>In 6 Stunden erinnern</translation>
    </message>
    <message>
        <source>Remind after 12 hours</source>
        <translation>In 12 Stunden erinnern</translation>
    </message>
    <message>
        <source>%1 is today.</source>
        <translation>%1 ist heute.</translation>
    </message>
    <message>
        <source>%1 is in %2 days.</source>
        <translation>%1 ist in %2 Tagen.</translation>
    </message>
</context>
<context>
    <name>almanis::AutostartFolder</name>
    <message>
        <source>it is not a folder</source>
        <translation>es ist kein Ordner</translation>
    </message>
    <message>
        <source>the folder cannot be created</source>
        <translation>der Ordner kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid entry name</source>
        <translation>„%1“ ist kein gültiger Name für einen Eintrag</translation>
    </message>
    <message>
        <source>the link %1 cannot be replaced</source>
        <translation>die Verknüpfung %1 kann nicht ersetzt werden</translation>
    </message>
</context>
<context>
    <name>almanis::CommandLine</name>
    <message>
        <source>Reminds you of birthdays, anniversaries and holidays.</source>
        <translation>Erinnert Sie an Geburtstage, Jahrestage und Feiertage.</translation>
    </message>
    <message>
        <source>Displays this help.</source>
        <translation>Zeigt diese Hilfe an.</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation>Mehr erfahren Sie mit „%1 --help“.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Unerwartetes Argument „%1“.</translation>
    </message>
</context>
<context>
    <name>almanis::EventCommands</name>
    <message>
        <source>Are you sure you want to delete %1?</source>
        <translation>Möchten Sie „%1“ wirklich löschen?</translation>
    </message>
    <message>
        <source>Delete Selected Event Reminder</source>
        <translation>Ausgewählte Erinnerung löschen</translation>
    </message>
    <message>
        <source>This is what the alarm will look like when it goes off in case you are wondering.</source>
        <translation>So sieht der Alarm aus, wenn er losgeht – falls Sie es wissen möchten.</translation>
    </message>
    <message>
        <source>Questions? Please contact Team Marrowind.</source>
        <translation>Fragen? Bitte wenden Sie sich an Team Marrowind.</translation>
    </message>
    <message>
        <source>Questions? Please contact Team Marrowind at %1</source>
        <translation>Fragen? Bitte wenden Sie sich an Team Marrowind unter %1</translation>
    </message>
</context>
<context>
    <name>almanis::EventEditor</name>
    <message>
        <source>Add New Event Reminder</source>
        <translation>Neue Ereigniserinnerung</translation>
    </message>
    <message>
        <source>D&amp;escription</source>
        <translation>B&amp;eschreibung</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>&amp;Month:</source>
        <translation>&amp;Monat:</translation>
    </message>
    <message>
        <source>&amp;Day:</source>
        <translation>&amp;Tag:</translation>
    </message>
    <message>
        <source>&amp;Save New Event Reminder</source>
        <translation>Erinnerung &amp;speichern</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Selected date is invalid.</source>
        <translation>Das gewählte Datum gibt es nicht.</translation>
    </message>
    <message>
        <source>You forgot to input description.</source>
        <translation>Sie haben keine Beschreibung eingegeben.</translation>
    </message>
</context>
<context>
    <name>almanis::EventListModel</name>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Day(s) Left</source>
        <translation>Noch Tage</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
</context>
<context>
    <name>almanis::FileCommands</name>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Text Files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Fertig.</translation>
    </message>
    <message>
        <source>This will import/export to text files in the following format with commas (Please use English month names):</source>
        <translation>Hiermit werden Ereignisse aus Textdateien im folgenden Format mit Kommas importiert oder in sie exportiert (bitte englische Monatsnamen verwenden):</translation>
    </message>
</context>
<context>
    <name>almanis::Guard</name>
    <message>
        <source>Please email screenshot of this message to %1</source>
        <translation>Bitte senden Sie ein Bildschirmfoto dieser Meldung per E-Mail an %1</translation>
    </message>
</context>
<context>
    <name>almanis::LogonStartup</name>
    <message>
        <source>Almanis could not be set to start when you log on.<byte value="xd"/>
The entry could not be written in the folder %1: %2.</source>
        <translation>Almanis konnte nicht so eingestellt werden, dass es beim Anmelden startet.<byte value="xd"/>
Der Eintrag konnte im Ordner %1 nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>Almanis could not be kept from starting when you log on.<byte value="xd"/>
The entry could not be removed from the folder %1: %2.</source>
        <translation>Almanis startet weiterhin beim Anmelden.<byte value="xd"/>
Der Eintrag konnte nicht aus dem Ordner %1 entfernt werden: %2.</translation>
    </message>
</context>
<context>
    <name>almanis::MainWindow</name>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Ereignisse</translation>
    </message>
    <message>
        <source>&amp;Add Reminder</source>
        <translation>&amp;Neue Erinnerung</translation>
    </message>
    <message>
        <source>&amp;Delete Reminder</source>
        <translation>Erinnerung &amp;löschen</translation>
    </message>
    <message>
        <source>&amp;Edit Reminder</source>
        <translation>Erinnerung &amp;bearbeiten</translation>
    </message>
    <message>
        <source>Load &amp;Sample/Example Data</source>
        <translation>Beispiel&amp;daten laden</translation>
    </message>
    <message>
        <source>&amp;Import Events From Text File</source>
        <translation>Aus Textdatei &amp;importieren</translation>
    </message>
    <message>
        <source>E&amp;xport Events To File</source>
        <translation>In Datei e&amp;xportieren</translation>
    </message>
    <message>
        <source>About the text file format</source>
        <translation>Über das Format der Textdatei</translation>
    </message>
    <message>
        <source>Remind Options</source>
        <translation>Erinnerungen</translation>
    </message>
    <message>
        <source>Remind me &amp;on the day of the event</source>
        <translation>Am Tag des &amp;Ereignisses erinnern</translation>
    </message>
    <message>
        <source>Remind me &amp;3 days before event</source>
        <translation>&amp;3 Tage vorher erinnern</translation>
    </message>
    <message>
        <source>Remind me &amp;7 days before event</source>
        <translation>&amp;7 Tage vorher erinnern</translation>
    </message>
    <message>
        <source>Remind me &amp;14 days before event</source>
        <translation>&amp;14 Tage vorher erinnern</translation>
    </message>
    <message>
        <source>Remind me 3&amp;0 days before event</source>
        <translation>3&amp;0 Tage vorher erinnern</translation>
    </message>
    <message>
        <source>Startup Options</source>
        <translation>Programmstart</translation>
    </message>
    <message>
        <source>&amp;Load this software when I log in</source>
        <translation>Beim &amp;Anmelden starten</translation>
    </message>
    <message>
        <source>Start in system t&amp;ray</source>
        <translation>Im &amp;Systembereich starten</translation>
    </message>
    <message>
        <source>&amp;Test Alarm</source>
        <translation>Alarm &amp;testen</translation>
    </message>
    <message>
        <source>About the test alarm</source>
        <translation>Über den Testalarm</translation>
    </message>
    <message>
        <source>has been minimized to the system tray.<byte value="xd"/>
Click on the blue &apos;M&apos; icon (M for Marrowind) to bring the software back.</source>
        <translation>wurde in den Systembereich minimiert.<byte value="xd"/>
Klicken Sie auf das blaue „M“ (M für Marrowind), um das Programm zurückzuholen.</translation>
    </message>
    <message>
        <source>Show Almanis</source>
        <translation>Almanis anzeigen</translation>
    </message>
    <message>
        <source>Test Alarm</source>
        <translation>Alarm testen</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>almanis::QtUi</name>
    <message>
        <source>Application Error</source>
        <translation>Anwendungsfehler</translation>
    </message>
</context>
</TS>
