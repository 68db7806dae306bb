<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AccountBook</name>
    <message>
        <source>the accounts file %1 cannot be read: %2</source>
        <translation>die Kontendatei %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>it holds no accounts</source>
        <translation>sie enthält keine Konten</translation>
    </message>
    <message>
        <source>the accounts file %1 cannot be read: the account &quot;%2&quot; has no valid address or kind</source>
        <translation>die Kontendatei %1 kann nicht gelesen werden: das Konto „%2“ hat keine gültige Adresse oder Art</translation>
    </message>
    <message>
        <source>the accounts file %1 cannot be written: %2</source>
        <translation>die Kontendatei %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>the accounts file %1 is being changed by another program; try again</source>
        <translation>die Kontendatei %1 wird gerade von einem anderen Programm geändert; versuchen Sie es noch einmal</translation>
    </message>
    <message>
        <source>%1 is an account already</source>
        <translation>%1 ist schon ein Konto</translation>
    </message>
    <message>
        <source>the events are kept in the calendar %1 already; remove that account first to keep them in another</source>
        <translation>die Ereignisse werden schon im Kalender %1 geführt; entfernen Sie zuerst dieses Konto, um sie in einem anderen zu führen</translation>
    </message>
</context>
<context>
    <name>AccountCommands</name>
    <message>
        <source>Usage: %1</source>
        <translation>Aufruf: %1</translation>
    </message>
    <message>
        <source>Try &apos;%1 account --help&apos; for more information.</source>
        <translation>„%1 account --help“ gibt weitere Auskunft.</translation>
    </message>
    <message>
        <source>Usage: %1 account COMMAND ...
The calendar Almanis keeps its events in, and the address books it reads birthdays and anniversaries from, on CalDAV and CardDAV servers.

Commands:
  add     finds the calendars and address books on a server and adds them
  list    the accounts, with how their last sync went
  remove  removes an account and forgets its password

&apos;%1 account COMMAND --help&apos; tells more of each.
</source>
        <translation>Aufruf: %1 account BEFEHL ...
Der Kalender, in dem Almanis seine Ereignisse führt, und die Adressbücher, aus denen es Geburtstage und Jahrestage liest, auf CalDAV- und CardDAV-Servern.

Befehle:
  add     sucht die Kalender und Adressbücher auf einem Server und fügt sie hinzu
  list    die Konten, mit dem Verlauf ihres letzten Abgleichs
  remove  entfernt ein Konto und vergisst sein Passwort

„%1 account BEFEHL --help“ sagt mehr zu jedem.
</translation>
    </message>
    <message>
        <source>account takes a command: add, list or remove</source>
        <translation>account braucht einen Befehl: add, list oder remove</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an account command; use add, list or remove</source>
        <translation>„%1“ ist kein Kontobefehl; verwenden Sie add, list oder remove</translation>
    </message>
    <message>
        <source>Adds the calendar Almanis keeps its events in, both ways, and address books whose birthdays and anniversaries it shows. URL is a calendar&apos;s or an address book&apos;s address, taken as it is, or a server&apos;s, on which the user&apos;s calendars and address books are looked for. Those found are listed; at a terminal you choose among them, else --calendar and --address-book choose. The password is asked for at a terminal (else it is the first line of standard input) and kept in the desktop&apos;s secret store, unless a password command prints it each time. Addresses are https://, or http:// to this computer only.</source>
        <translation>Fügt den Kalender hinzu, in dem Almanis seine Ereignisse in beide Richtungen abgleicht, und Adressbücher, deren Geburtstage und Jahrestage es zeigt. URL ist die Adresse eines Kalenders oder Adressbuchs, so genommen, wie sie ist, oder die eines Servers, auf dem die Kalender und Adressbücher des Benutzers gesucht werden. Die gefundenen werden aufgelistet; am Terminal wählen Sie unter ihnen, sonst wählen --calendar und --address-book. Das Passwort wird am Terminal erfragt (sonst ist es die erste Zeile der Standardeingabe) und im Schlüsselbund des Desktops aufbewahrt, außer ein Passwortbefehl gibt es jedes Mal aus. Adressen beginnen mit https://, oder mit http:// nur zu diesem Computer.</translation>
    </message>
    <message>
        <source>The address of the server or collection.</source>
        <translation>Die Adresse des Servers oder der Sammlung.</translation>
    </message>
    <message>
        <source>The user name on the server.</source>
        <translation>Der Benutzername auf dem Server.</translation>
    </message>
    <message>
        <source>A command that prints the password on its first line, run without a shell (for example &quot;pass show dav&quot;); the password is then kept nowhere by Almanis.</source>
        <translation>Ein Befehl, der das Passwort in seiner ersten Zeile ausgibt, ohne Shell ausgeführt (zum Beispiel „pass show dav“); Almanis bewahrt das Passwort dann nirgends auf.</translation>
    </message>
    <message>
        <source>COMMAND</source>
        <translation>BEFEHL</translation>
    </message>
    <message>
        <source>Keep the events in this calendar found on the server.</source>
        <translation>Die Ereignisse in diesem auf dem Server gefundenen Kalender führen.</translation>
    </message>
    <message>
        <source>Read this address book found on the server; may be given more than once.</source>
        <translation>Dieses auf dem Server gefundene Adressbuch lesen; darf mehrmals angegeben werden.</translation>
    </message>
    <message>
        <source>account add URL --user NAME [--password-command COMMAND] [--calendar URL] [--address-book URL]...</source>
        <translation>account add URL --user NAME [--password-command BEFEHL] [--calendar URL] [--address-book URL]...</translation>
    </message>
    <message>
        <source>account add takes the address of one server or collection</source>
        <translation>account add nimmt die Adresse eines Servers oder einer Sammlung</translation>
    </message>
    <message>
        <source>account add needs the user name: --user NAME</source>
        <translation>account add braucht den Benutzernamen: --user NAME</translation>
    </message>
    <message>
        <source>Nothing added.</source>
        <translation>Nichts hinzugefügt.</translation>
    </message>
    <message>
        <source>the password could not be kept: %1</source>
        <translation>das Passwort konnte nicht aufbewahrt werden: %1</translation>
    </message>
    <message>
        <source>Added the calendar &quot;%1&quot; at %2.</source>
        <translation>Kalender „%1“ unter %2 hinzugefügt.</translation>
    </message>
    <message>
        <source>Added the address book &quot;%1&quot; at %2.</source>
        <translation>Adressbuch „%1“ unter %2 hinzugefügt.</translation>
    </message>
    <message>
        <source>Password for %1 at %2: </source>
        <translation>Passwort für %1 auf %2: </translation>
    </message>
    <message>
        <source>no password was given: type it when asked, give it on standard input, or give --password-command COMMAND</source>
        <translation>kein Passwort angegeben: tippen Sie es auf Nachfrage ein, geben Sie es über die Standardeingabe oder geben Sie --password-command BEFEHL an</translation>
    </message>
    <message>
        <source>Found on the server:</source>
        <translation>Auf dem Server gefunden:</translation>
    </message>
    <message>
        <source>the events are kept in one calendar: give --calendar once</source>
        <translation>die Ereignisse werden in einem Kalender geführt: geben Sie --calendar einmal an</translation>
    </message>
    <message>
        <source>choose what to add with --calendar URL and --address-book URL</source>
        <translation>wählen Sie mit --calendar URL und --address-book URL, was hinzukommt</translation>
    </message>
    <message>
        <source>%1 is not among the calendars found</source>
        <translation>%1 ist nicht unter den gefundenen Kalendern</translation>
    </message>
    <message>
        <source>%1 is not among the address books found</source>
        <translation>%1 ist nicht unter den gefundenen Adressbüchern</translation>
    </message>
    <message>
        <source>Give the numbers of the list above, or nothing.</source>
        <translation>Geben Sie Nummern aus der Liste oben an, oder nichts.</translation>
    </message>
    <message>
        <source>The events are kept in a calendar already; remove that account to keep them in another.</source>
        <translation>Die Ereignisse werden schon in einem Kalender geführt; entfernen Sie dieses Konto, um sie in einem anderen zu führen.</translation>
    </message>
    <message>
        <source>Keep the events in which calendar? Its number, or nothing for none: </source>
        <translation>In welchem Kalender sollen die Ereignisse geführt werden? Seine Nummer, oder nichts für keinen: </translation>
    </message>
    <message>
        <source>nothing was added</source>
        <translation>nichts wurde hinzugefügt</translation>
    </message>
    <message>
        <source>Read birthdays from which address books? Their numbers, or nothing for none: </source>
        <translation>Aus welchen Adressbüchern sollen Geburtstage gelesen werden? Ihre Nummern, oder nichts für keines: </translation>
    </message>
    <message>
        <source>Lists the accounts: each collection&apos;s address, user, kind and how its last sync went.</source>
        <translation>Listet die Konten auf: die Adresse jeder Sammlung, Benutzer, Art und wie ihr letzter Abgleich verlief.</translation>
    </message>
    <message>
        <source>Print a JSON array of objects with the keys url, name, user, kind (calendar or addressbook), status, last_synced and last_error.</source>
        <translation>Ein JSON-Array von Objekten mit den Schlüsseln url, name, user, kind (calendar oder addressbook), status, last_synced und last_error ausgeben.</translation>
    </message>
    <message>
        <source>account list takes no arguments</source>
        <translation>account list nimmt keine Argumente</translation>
    </message>
    <message>
        <source>Removes the account of the collection at URL (see account list). Its password leaves the desktop&apos;s secret store once no other account of the user on that server needs it. Nothing on the server changes.</source>
        <translation>Entfernt das Konto der Sammlung unter URL (siehe account list). Sein Passwort verlässt den Schlüsselbund des Desktops, sobald kein anderes Konto des Benutzers auf diesem Server es braucht. Auf dem Server ändert sich nichts.</translation>
    </message>
    <message>
        <source>The collection&apos;s address.</source>
        <translation>Die Adresse der Sammlung.</translation>
    </message>
    <message>
        <source>account remove takes the address of one account (see account list)</source>
        <translation>account remove nimmt die Adresse eines Kontos (siehe account list)</translation>
    </message>
    <message>
        <source>there is no account %1 (see account list)</source>
        <translation>es gibt kein Konto %1 (siehe account list)</translation>
    </message>
    <message>
        <source>Removed the calendar &quot;%1&quot; at %2.</source>
        <translation>Kalender „%1“ unter %2 entfernt.</translation>
    </message>
    <message>
        <source>Removed the address book &quot;%1&quot; at %2.</source>
        <translation>Adressbuch „%1“ unter %2 entfernt.</translation>
    </message>
    <message>
        <source>the account is removed, but its password could not be removed from the desktop&apos;s secret store: %1</source>
        <translation>das Konto ist entfernt, aber sein Passwort ließ sich nicht aus dem Schlüsselbund des Desktops entfernen: %1</translation>
    </message>
</context>
<context>
    <name>CommandLineTool</name>
    <message>
        <source>Work on the store in FILE instead of yours.</source>
        <translation>Mit dem Speicher in DATEI statt mit Ihrem arbeiten.</translation>
    </message>
    <message>
        <source>Count the days left from DATE (YYYY-MM-DD) instead of today.</source>
        <translation>Die verbleibenden Tage ab DATUM (JJJJ-MM-TT) statt ab heute zählen.</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <translation>Aufruf: %1</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation>„%1 --help“ gibt weitere Auskunft.</translation>
    </message>
    <message>
        <source>What to do (see above).</source>
        <translation>Was zu tun ist (siehe oben).</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>kein Befehl angegeben</translation>
    </message>
    <message>
        <source> [--store FILE] [--today DATE] COMMAND ...</source>
        <translation> [--store DATEI] [--today DATUM] BEFEHL ...</translation>
    </message>
    <message>
        <source>the date &quot;%1&quot; is not a day written as YYYY-MM-DD</source>
        <translation>das Datum „%1“ ist kein Tag in der Form JJJJ-MM-TT</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a command</source>
        <translation>„%1“ ist kein Befehl</translation>
    </message>
    <message>
        <source>%1 of the store&apos;s events could not be read and are left out: %2</source>
        <translation>%1 Ereignisse des Speichers konnten nicht gelesen werden und fehlen: %2</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Lists every event in calendar order (month, then day) with its days left.</source>
        <translation>Listet alle Ereignisse in Kalenderfolge (Monat, dann Tag) mit den verbleibenden Tagen auf.</translation>
    </message>
    <message>
        <source>list takes no arguments</source>
        <translation>list nimmt keine Argumente</translation>
    </message>
    <message>
        <source>Lists the events due within the next days (by default 30), soonest first.</source>
        <translation>Listet die Ereignisse der nächsten Tage (ohne Angabe 30) auf, das nächste zuerst.</translation>
    </message>
    <message>
        <source>The events with at most N days left.</source>
        <translation>Die Ereignisse mit höchstens N verbleibenden Tagen.</translation>
    </message>
    <message>
        <source>due takes no arguments</source>
        <translation>due nimmt keine Argumente</translation>
    </message>
    <message>
        <source>the number of days &quot;%1&quot; is not a whole number of 0 or more</source>
        <translation>die Zahl der Tage „%1“ ist keine ganze Zahl von 0 oder mehr</translation>
    </message>
    <message>
        <source>What the event is.</source>
        <translation>Was das Ereignis ist.</translation>
    </message>
    <message>
        <source>the description is empty</source>
        <translation>die Beschreibung ist leer</translation>
    </message>
    <message>
        <source>the description holds a line break or another control character</source>
        <translation>die Beschreibung enthält einen Zeilenumbruch oder ein anderes Steuerzeichen</translation>
    </message>
    <message>
        <source>Deletes the event with the id ID (see list).</source>
        <translation>Löscht das Ereignis mit der angegebenen NUMMER (siehe list).</translation>
    </message>
    <message>
        <source>The event&apos;s id.</source>
        <translation>Die Nummer des Ereignisses.</translation>
    </message>
    <message>
        <source>remove takes the id of one event, a whole number (see list)</source>
        <translation>remove nimmt die Nummer eines Ereignisses, eine ganze Zahl (siehe list)</translation>
    </message>
    <message>
        <source>there is no event with the id %1</source>
        <translation>es gibt kein Ereignis mit der Nummer %1</translation>
    </message>
    <message>
        <source>The file to read.</source>
        <translation>Die zu lesende Datei.</translation>
    </message>
    <message>
        <source>import takes one file</source>
        <translation>import nimmt eine Datei</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a format; use text, ics or vcf</source>
        <translation>„%1“ ist kein Format; verwenden Sie text, ics oder vcf</translation>
    </message>
    <message>
        <source>The file to write.</source>
        <translation>Die zu schreibende Datei.</translation>
    </message>
    <message>
        <source>export takes one file</source>
        <translation>export nimmt eine Datei</translation>
    </message>
    <message>
        <source>contact files can be imported, not exported; use text or ics</source>
        <translation>Kontaktdateien können importiert, nicht exportiert werden; verwenden Sie text oder ics</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a format; use text or ics</source>
        <translation>„%1“ ist kein Format; verwenden Sie text oder ics</translation>
    </message>
    <message>
        <source>Stores a new yearly event and prints its id. The date is the month&apos;s name, in English or your language, and the day, as in &quot;December 10&quot;.</source>
        <translation>Speichert ein neues jährliches Ereignis und gibt seine Nummer aus. Das Datum ist der Name des Monats, englisch oder in Ihrer Sprache, und der Tag, wie in „Dezember 10“.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date an event can have; write the month&apos;s name and the day, as in &quot;December 10&quot;</source>
        <translation>„%1“ ist kein Datum, das ein Ereignis haben kann; schreiben Sie den Namen des Monats und den Tag, wie in „Dezember 10“</translation>
    </message>
    <message>
        <source>the description is %1 characters long; it can have at most %2</source>
        <translation>die Beschreibung ist %1 Zeichen lang; sie darf höchstens %2 haben</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>DATEI</translation>
    </message>
    <message>
        <source>DATE</source>
        <translation>DATUM</translation>
    </message>
    <message>
        <source>command</source>
        <translation>befehl</translation>
    </message>
    <message>
        <source>COMMAND [ARGUMENTS]</source>
        <translation>BEFEHL [ARGUMENTE]</translation>
    </message>
    <message>
        <source>description</source>
        <translation>beschreibung</translation>
    </message>
    <message>
        <source>date</source>
        <translation>datum</translation>
    </message>
    <message>
        <source>&quot;MONTH DAY&quot;</source>
        <translation>&quot;MONAT TAG&quot;</translation>
    </message>
    <message>
        <source>id</source>
        <translation>nummer</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>NUMMER</translation>
    </message>
    <message>
        <source>remove ID</source>
        <translation>remove NUMMER</translation>
    </message>
    <message>
        <source>file</source>
        <translation>datei</translation>
    </message>
    <message>
        <source>import [--format FORMAT] FILE</source>
        <translation>import [--format FORMAT] DATEI</translation>
    </message>
    <message>
        <source>export [--format FORMAT] FILE</source>
        <translation>export [--format FORMAT] DATEI</translation>
    </message>
    <message>
        <source>%1. The import goes on without this backup.</source>
        <translation>%1. Der Import geht ohne diese Sicherung weiter.</translation>
    </message>
    <message>
        <source>Stores the events of FILE. A text file stores one event a line, and nothing when a line cannot be read; a calendar file stores its entries that repeat every year, a contact file its birthdays and anniversaries, with their years. An event already stored (the same UID, or the same description and date) is counted, not stored again. All of them are stored or, on a failure, none.</source>
        <translation>Speichert die Ereignisse aus DATEI. Eine Textdatei speichert ein Ereignis je Zeile, und nichts, wenn sich eine Zeile nicht lesen lässt; eine Kalenderdatei speichert ihre Einträge, die sich jedes Jahr wiederholen, eine Kontaktdatei ihre Geburtstage und Jahrestage, mit ihren Jahren. Ein bereits gespeichertes Ereignis (dieselbe UID oder dieselbe Beschreibung mit demselben Datum) wird gezählt, nicht noch einmal gespeichert. Alle werden gespeichert oder, bei einem Fehler, keines.</translation>
    </message>
    <message>
        <source>Writes every event to FILE, as text (one &quot;Description,Month Day&quot; a line) or as an iCalendar file of yearly all-day entries with their years, notes, reminder days and UIDs. The file is replaced only once it is complete.</source>
        <translation>Schreibt alle Ereignisse in DATEI, als Text (je Zeile „Beschreibung,Monat Tag“) oder als iCalendar-Datei jährlicher ganztägiger Einträge mit ihren Jahren, Notizen, Erinnerungstagen und UIDs. Die Datei wird erst ersetzt, wenn sie vollständig ist.</translation>
    </message>
    <message>
        <source>Print a JSON array of objects with the keys id, description, month, day, days_left, next, year, years, remind_days, note, uid.</source>
        <translation>Ein JSON-Array von Objekten mit den Schlüsseln id, description, month, day, days_left, next, year, years, remind_days, note, uid ausgeben.</translation>
    </message>
    <message>
        <source>The year it first happened, 1 to this year.</source>
        <translation>Das Jahr, in dem es zum ersten Mal war, 1 bis zu diesem Jahr.</translation>
    </message>
    <message>
        <source>Its own days to be reminded on, instead of the options&apos;: any of 0 (the day itself), 3, 7, 14, 30, as in 0,7,30; &quot;&quot; for never.</source>
        <translation>Eigene Erinnerungstage statt derer aus den Optionen: beliebige von 0 (der Tag selbst), 3, 7, 14, 30, wie in 0,7,30; &quot;&quot; für nie.</translation>
    </message>
    <message>
        <source>A note (&quot;&quot; for none).</source>
        <translation>Eine Notiz (&quot;&quot; für keine).</translation>
    </message>
    <message>
        <source>TEXT</source>
        <translation>WORTLAUT</translation>
    </message>
    <message>
        <source>Forget the year.</source>
        <translation>Das Jahr vergessen.</translation>
    </message>
    <message>
        <source>Remind on the days the options set, as for other events.</source>
        <translation>An den Tagen erinnern, die die Optionen festlegen, wie bei anderen Ereignissen.</translation>
    </message>
    <message>
        <source>Changes the event with the id ID (see list): only what the options give.</source>
        <translation>Ändert das Ereignis mit der Nummer NUMMER (siehe list): nur, was die Optionen angeben.</translation>
    </message>
    <message>
        <source>A new description.</source>
        <translation>Eine neue Beschreibung.</translation>
    </message>
    <message>
        <source>A new month and day.</source>
        <translation>Ein neuer Monat und Tag.</translation>
    </message>
    <message>
        <source>edit ID [--description TEXT] [--date &quot;MONTH DAY&quot;] [--year YEAR | --no-year] [--remind-days LIST | --default-remind] [--note TEXT]</source>
        <translation>edit NUMMER [--description WORTLAUT] [--date &quot;MONAT TAG&quot;] [--year JAHR | --no-year] [--remind-days LISTE | --default-remind] [--note WORTLAUT]</translation>
    </message>
    <message>
        <source>edit takes the id of one event, a whole number (see list)</source>
        <translation>edit nimmt die Nummer eines Ereignisses, eine ganze Zahl (siehe list)</translation>
    </message>
    <message>
        <source>--year and --no-year cannot go together</source>
        <translation>--year und --no-year gehen nicht zusammen</translation>
    </message>
    <message>
        <source>--remind-days and --default-remind cannot go together</source>
        <translation>--remind-days und --default-remind gehen nicht zusammen</translation>
    </message>
    <message>
        <source>the year &quot;%1&quot; is not a year from 1 to %2</source>
        <translation>das Jahr „%1“ ist kein Jahr von 1 bis %2</translation>
    </message>
    <message>
        <source>there was no 29 February in %1</source>
        <translation>im Jahr %1 gab es keinen 29. Februar</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a list of remind days; give any of 0, 3, 7, 14, 30, as in 0,7,30</source>
        <translation>„%1“ ist keine Liste von Erinnerungstagen; geben Sie beliebige von 0, 3, 7, 14, 30 an, wie in 0,7,30</translation>
    </message>
    <message>
        <source>the note holds a control character other than a line break or a tab</source>
        <translation>die Notiz enthält ein Steuerzeichen außer Zeilenumbruch oder Tabulator</translation>
    </message>
    <message>
        <source>the note is %1 characters long; it can have at most %2</source>
        <translation>die Notiz ist %1 Zeichen lang; sie darf höchstens %2 haben</translation>
    </message>
    <message>
        <source>The file&apos;s format: text, ics or vcf (by default the one its content shows, else its ending: .txt, .ics, .vcf).</source>
        <translation>Das Format der Datei: text, ics oder vcf (sonst das, welches ihr Inhalt zeigt, und sonst nach ihrer Endung: .txt, .ics, .vcf).</translation>
    </message>
    <message>
        <source>The file&apos;s format: text or ics (by default its ending: .txt, .ics).</source>
        <translation>Das Format der Datei: text oder ics (sonst nach ihrer Endung: .txt, .ics).</translation>
    </message>
    <message>
        <source>Lists, checks, adds, removes, imports and exports the yearly events that Almanis reminds you of.

Commands:
  list     every event, in calendar order, with its days left
  due      the events due within the next days, soonest first
  add      stores a new event
  edit     changes an event
  remove   deletes an event
  import   stores the events of a text, iCalendar or vCard file
  export   writes the events to a text or iCalendar file
  account  adds, lists and removes the calendar and address books on a server that the events are synced with
  sync     syncs the events once with every account&apos;s calendar and address book

&apos;%1 COMMAND --help&apos; tells more of each.</source>
        <translation>Listet, prüft, ergänzt, ändert, entfernt, importiert und exportiert die jährlichen Ereignisse, an die Almanis Sie erinnert.

Befehle:
  list     alle Ereignisse in Kalenderfolge, mit den verbleibenden Tagen
  due      die Ereignisse der nächsten Tage, das nächste zuerst
  add      speichert ein neues Ereignis
  edit     ändert ein Ereignis
  remove   löscht ein Ereignis
  import   speichert die Ereignisse einer Text-, iCalendar- oder vCard-Datei
  export   schreibt die Ereignisse in eine Text- oder iCalendar-Datei
  account  fügt den Kalender und die Adressbücher auf einem Server hinzu, mit denen die Ereignisse abgeglichen werden, listet und entfernt sie
  sync     gleicht die Ereignisse einmal mit dem Kalender und dem Adressbuch jedes Kontos ab

„%1 BEFEHL --help“ sagt mehr zu jedem.</translation>
    </message>
    <message>
        <source>Syncs the events once with the calendar and the address books of every account and tells what changed: &quot;2 added, 1 changed, 0 removed here; 1 uploaded&quot;.</source>
        <translation>Gleicht die Ereignisse einmal mit dem Kalender und den Adressbüchern jedes Kontos ab und sagt, was sich geändert hat: „2 hinzugefügt, 1 geändert, 0 entfernt hier; 1 hochgeladen“.</translation>
    </message>
    <message>
        <source>sync takes no arguments</source>
        <translation>sync nimmt keine Argumente</translation>
    </message>
    <message>
        <source>there is no account to sync with; add one with &apos;%1 account add URL --user NAME&apos;</source>
        <translation>es gibt kein Konto zum Abgleichen; fügen Sie eines mit „%1 account add URL --user NAME“ hinzu</translation>
    </message>
    <message>
        <source>the date &quot;%1&quot; is not in the years %2 to %3, in which the days left can be counted</source>
        <translation>das Datum „%1“ liegt nicht in den Jahren %2 bis %3, in denen sich die verbleibenden Tage zählen lassen</translation>
    </message>
    <message>
        <source>Its month and day, as one argument or two.</source>
        <translation>Sein Monat und Tag, als ein Argument oder zwei.</translation>
    </message>
    <message>
        <source>MONTH DAY</source>
        <translation>MONAT TAG</translation>
    </message>
    <message>
        <source>add DESCRIPTION MONTH DAY [--year YEAR] [--remind-days LIST] [--note TEXT]</source>
        <translation>add BESCHREIBUNG MONAT TAG [--year JAHR] [--remind-days LISTE] [--note TEXT]</translation>
    </message>
    <message>
        <source>add takes a description and a date, as in add &quot;Ada&apos;s birthday&quot; December 10</source>
        <translation>add nimmt eine Beschreibung und ein Datum, wie in add &quot;Adas Geburtstag&quot; Dezember 10</translation>
    </message>
</context>
<context>
    <name>SyncReport</name>
    <message>
        <source>%1 added, %2 changed, %3 removed here; %4 uploaded</source>
        <translation>%1 hinzugefügt, %2 geändert, %3 entfernt hier; %4 hochgeladen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was changed here and on the server: both versions are kept.</source>
        <translation>„%1“ wurde hier und auf dem Server geändert: beide Fassungen bleiben erhalten.</translation>
    </message>
    <message numerus="yes">
        <source>%n change(s) made here wait for the next sync: the server&apos;s copy was changed meanwhile.</source>
        <translation>
            <numerusform>%n hier gemachte Änderung wartet auf den nächsten Abgleich: die Fassung auf dem Server wurde inzwischen geändert.</numerusform>
            <numerusform>%n hier gemachte Änderungen warten auf den nächsten Abgleich: die Fassung auf dem Server wurde inzwischen geändert.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>almanis::Account</name>
    <message>
        <source>the last sync failed</source>
        <translation>der letzte Abgleich ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>Not synced yet</source>
        <translation>Noch nicht abgeglichen</translation>
    </message>
    <message>
        <source>Synced just now</source>
        <translation>Gerade eben abgeglichen</translation>
    </message>
    <message>
        <source>Synced 1 minute ago</source>
        <translation>Vor 1 Minute abgeglichen</translation>
    </message>
    <message>
        <source>Synced %1 minutes ago</source>
        <translation>Vor %1 Minuten abgeglichen</translation>
    </message>
    <message>
        <source>Synced 1 hour ago</source>
        <translation>Vor 1 Stunde abgeglichen</translation>
    </message>
    <message>
        <source>Synced %1 hours ago</source>
        <translation>Vor %1 Stunden abgeglichen</translation>
    </message>
    <message>
        <source>Synced on %1</source>
        <translation>Abgeglichen am %1</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Address book</source>
        <translation>Adressbuch</translation>
    </message>
</context>
<context>
    <name>almanis::AccountsDialog</name>
    <message>
        <source>Accounts</source>
        <translation>Konten</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Bezeichnung</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>&amp;Calendar and address books:</source>
        <translation>&amp;Kalender und Adressbücher:</translation>
    </message>
    <message>
        <source>&amp;Add…</source>
        <translation>&amp;Hinzufügen …</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>No accounts yet: add the calendar to keep the events in on every computer, and the address books to read birthdays from.</source>
        <translation>Noch keine Konten: Fügen Sie den Kalender hinzu, um die Ereignisse auf jedem Computer zu führen, und die Adressbücher, aus denen Geburtstage gelesen werden sollen.</translation>
    </message>
    <message>
        <source>Remove the calendar &quot;%1&quot;?<byte value="xd"/>
The events stay here and on the server; they are no longer synced.</source>
        <translation>Den Kalender „%1“ entfernen?<byte value="xd"/>
Die Ereignisse bleiben hier und auf dem Server; sie werden nicht mehr abgeglichen.</translation>
    </message>
    <message>
        <source>Remove the address book &quot;%1&quot;?<byte value="xd"/>
Its birthdays leave the list; nothing on the server changes.</source>
        <translation>Das Adressbuch „%1“ entfernen?<byte value="xd"/>
Seine Geburtstage verschwinden aus der Liste; auf dem Server ändert sich nichts.</translation>
    </message>
    <message>
        <source>The account could not be removed: %1</source>
        <translation>Das Konto ließ sich nicht entfernen: %1</translation>
    </message>
    <message>
        <source>The account is removed, but its password could not be removed from the desktop&apos;s secret store: %1</source>
        <translation>Das Konto ist entfernt, aber sein Passwort ließ sich nicht aus dem Schlüsselbund des Desktops entfernen: %1</translation>
    </message>
</context>
<context>
    <name>almanis::AddAccountDialog</name>
    <message>
        <source>Add Account</source>
        <translation>Konto hinzufügen</translation>
    </message>
    <message>
        <source>Server or collection &amp;address:</source>
        <translation>&amp;Adresse des Servers oder der Sammlung:</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>&amp;Benutzername:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Passwort:</translation>
    </message>
    <message>
        <source>&amp;Find Calendars and Address Books</source>
        <translation>Kalender und Adressbücher &amp;suchen</translation>
    </message>
    <message>
        <source>&amp;Tick what to add:</source>
        <translation>&amp;Hinzuzufügendes ankreuzen:</translation>
    </message>
    <message>
        <source>A&amp;dd</source>
        <translation>Hin&amp;zufügen</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Abbre&amp;chen</translation>
    </message>
    <message>
        <source>Type the address of your server, or of a calendar or address book on it.</source>
        <translation>Geben Sie die Adresse Ihres Servers ein, oder die eines Kalenders oder Adressbuchs darauf.</translation>
    </message>
    <message>
        <source>Almanis will not use this address: %1.</source>
        <translation>Almanis verwendet diese Adresse nicht: %1.</translation>
    </message>
    <message>
        <source>Type your user name and password on the server.</source>
        <translation>Geben Sie Ihren Benutzernamen und Ihr Passwort auf dem Server ein.</translation>
    </message>
    <message>
        <source>Looking for calendars and address books…</source>
        <translation>Kalender und Adressbücher werden gesucht …</translation>
    </message>
    <message>
        <source>The events are kept in a calendar already: remove its account to keep them in another. Tick the address books to read birthdays from.</source>
        <translation>Die Ereignisse werden schon in einem Kalender geführt: Entfernen Sie dessen Konto, um sie in einem anderen zu führen. Kreuzen Sie die Adressbücher an, aus denen Geburtstage gelesen werden sollen.</translation>
    </message>
    <message>
        <source>Tick the calendar to keep the events in, and the address books to read birthdays from.</source>
        <translation>Kreuzen Sie den Kalender an, in dem die Ereignisse geführt werden sollen, und die Adressbücher, aus denen Geburtstage gelesen werden sollen.</translation>
    </message>
    <message>
        <source>The password could not be kept in the desktop&apos;s secret store, so nothing was added: %1</source>
        <translation>Das Passwort ließ sich nicht im Schlüsselbund des Desktops aufbewahren, daher wurde nichts hinzugefügt: %1</translation>
    </message>
    <message>
        <source>Keeping the password…</source>
        <translation>Das Passwort wird aufbewahrt …</translation>
    </message>
</context>
<context>
    <name>almanis::AlarmNotification</name>
    <message numerus="yes">
        <source>%n events are due</source>
        <translation>
            <numerusform>%n Ereignis ist fällig</numerusform>
            <numerusform>%n Ereignisse sind fällig</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>… and %n more</source>
        <translation>
            <numerusform>… und %n weiteres</numerusform>
            <numerusform>… und %n weitere</numerusform>
        </translation>
    </message>
</context>
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
    <message>
        <source>%1 is tomorrow.</source>
        <translation>%1 ist morgen.</translation>
    </message>
    <message>
        <source>%1 was yesterday.</source>
        <translation>%1 war gestern.</translation>
    </message>
    <message>
        <source>%1 was %2 days ago.</source>
        <translation>%1 war vor %2 Tagen.</translation>
    </message>
    <message numerus="yes">
        <source>%1 is today (%n year).</source>
        <translation>
            <numerusform>%1 ist heute (%n Jahr).</numerusform>
            <numerusform>%1 ist heute (%n Jahre).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 is today (%n years).</source>
        <translation>
            <numerusform>%1 ist heute (%n Jahr).</numerusform>
            <numerusform>%1 ist heute (%n Jahre).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 is tomorrow (%n year).</source>
        <translation>
            <numerusform>%1 ist morgen (%n Jahr).</numerusform>
            <numerusform>%1 ist morgen (%n Jahre).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 is tomorrow (%n years).</source>
        <translation>
            <numerusform>%1 ist morgen (%n Jahr).</numerusform>
            <numerusform>%1 ist morgen (%n Jahre).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 is in %2 days (%n year).</source>
        <translation>
            <numerusform>%1 ist in %2 Tagen (%n Jahr).</numerusform>
            <numerusform>%1 ist in %2 Tagen (%n Jahre).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 is in %2 days (%n years).</source>
        <translation>
            <numerusform>%1 ist in %2 Tagen (%n Jahr).</numerusform>
            <numerusform>%1 ist in %2 Tagen (%n Jahre).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 was yesterday (%n year).</source>
        <translation>
            <numerusform>%1 war gestern (%n Jahr).</numerusform>
            <numerusform>%1 war gestern (%n Jahre).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 was yesterday (%n years).</source>
        <translation>
            <numerusform>%1 war gestern (%n Jahr).</numerusform>
            <numerusform>%1 war gestern (%n Jahre).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 was %2 days ago (%n year).</source>
        <translation>
            <numerusform>%1 war vor %2 Tagen (%n Jahr).</numerusform>
            <numerusform>%1 war vor %2 Tagen (%n Jahre).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 was %2 days ago (%n years).</source>
        <translation>
            <numerusform>%1 war vor %2 Tagen (%n Jahr).</numerusform>
            <numerusform>%1 war vor %2 Tagen (%n Jahre).</numerusform>
        </translation>
    </message>
    <message>
        <source>Reminders of the days before %1 are not shown: Almanis looks back one year at most.</source>
        <translation>Erinnerungen der Tage vor dem %1 werden nicht gezeigt: Almanis blickt höchstens ein Jahr zurück.</translation>
    </message>
</context>
<context>
    <name>almanis::AppError</name>
    <message>
        <source>Type mismatch: &apos;%1&apos; is not a whole number</source>
        <translation>Typen unverträglich: „%1“ ist keine ganze Zahl</translation>
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
    <name>almanis::CollectionDiscovery</name>
    <message>
        <source>no calendars or address books were found at %1</source>
        <translation>unter %1 wurden keine Kalender oder Adressbücher gefunden</translation>
    </message>
    <message>
        <source>%1 is a calendar of tasks or notes, which takes no events</source>
        <translation>%1 ist ein Kalender für Aufgaben oder Notizen und nimmt keine Ereignisse auf</translation>
    </message>
    <message>
        <source>the server has no calendar or address book for this user</source>
        <translation>der Server hat keinen Kalender und kein Adressbuch für diesen Benutzer</translation>
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
    <name>almanis::Connection</name>
    <message>
        <source>the file is read-only</source>
        <translation>die Datei ist schreibgeschützt</translation>
    </message>
    <message>
        <source>it was opened for reading only</source>
        <translation>er wurde nur zum Lesen geöffnet</translation>
    </message>
    <message>
        <source>The database connection is not open</source>
        <translation>Die Datenbankverbindung ist nicht geöffnet</translation>
    </message>
    <message>
        <source>The event store %1 cannot be changed: %2. The events can be read, but no change can be saved.</source>
        <translation>Der Ereignisspeicher %1 kann nicht geändert werden: %2. Die Ereignisse lassen sich lesen, aber keine Änderung kann gespeichert werden.</translation>
    </message>
    <message>
        <source>the disk that holds it is full</source>
        <translation>der Datenträger, auf dem er liegt, ist voll</translation>
    </message>
</context>
<context>
    <name>almanis::ContentLineReader</name>
    <message>
        <source>The file %1</source>
        <translation>Die Datei %1</translation>
    </message>
    <message>
        <source>File not found: %1</source>
        <translation>Datei nicht gefunden: %1</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened: it is not a regular file</source>
        <translation>Die Datei %1 kann nicht geöffnet werden: sie ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened: %2</source>
        <translation>Die Datei %1 kann nicht geöffnet werden: %2</translation>
    </message>
</context>
<context>
    <name>almanis::DailyBackups</name>
    <message>
        <source>The events could not be backed up to %1: %2</source>
        <translation>Die Ereignisse konnten nicht nach %1 gesichert werden: %2</translation>
    </message>
    <message>
        <source>The damaged store %1 could not be moved to %2: %3</source>
        <translation>Der beschädigte Speicher %1 konnte nicht nach %2 verschoben werden: %3</translation>
    </message>
    <message>
        <source>The backup %1 could not be copied to %2: %3</source>
        <translation>Die Sicherung %1 konnte nicht nach %2 kopiert werden: %3</translation>
    </message>
</context>
<context>
    <name>almanis::DataFolder</name>
    <message>
        <source>Path/File access error: cannot create the folder %1</source>
        <translation>Fehler beim Zugriff auf Pfad/Datei: der Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>File not found: %1</source>
        <translation>Datei nicht gefunden: %1</translation>
    </message>
    <message>
        <source>Path/File access error: cannot copy %1 to %2: %3</source>
        <translation>Fehler beim Zugriff auf Pfad/Datei: %1 kann nicht nach %2 kopiert werden: %3</translation>
    </message>
</context>
<context>
    <name>almanis::DavRequest</name>
    <message>
        <source>the server&apos;s answer could not be read: it is larger than %1 MB</source>
        <translation>die Antwort des Servers konnte nicht gelesen werden: sie ist größer als %1 MB</translation>
    </message>
    <message>
        <source>the server&apos;s answer could not be read: a redirect (%1) without an address</source>
        <translation>die Antwort des Servers konnte nicht gelesen werden: eine Weiterleitung (%1) ohne Adresse</translation>
    </message>
    <message>
        <source>the server sent Almanis on from one address to the next more than %1 times</source>
        <translation>der Server hat Almanis mehr als %1-mal von einer Adresse zur nächsten weitergeleitet</translation>
    </message>
    <message>
        <source>%1 is no calendar or address-book server: it answered %2 where such a server answers 207 Multi-Status</source>
        <translation>%1 ist kein Kalender- oder Adressbuchserver: er antwortete %2, wo ein solcher Server 207 Multi-Status antwortet</translation>
    </message>
    <message>
        <source>the server&apos;s answer could not be read: %1</source>
        <translation>die Antwort des Servers konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>the server refused the user name or password</source>
        <translation>der Server hat den Benutzernamen oder das Passwort abgelehnt</translation>
    </message>
    <message>
        <source>the server does not let this user reach %1 (%2)</source>
        <translation>der Server lässt diesen Benutzer nicht auf %1 zugreifen (%2)</translation>
    </message>
    <message>
        <source>there is nothing at %1 (%2)</source>
        <translation>unter %1 ist nichts (%2)</translation>
    </message>
    <message>
        <source>%1 was changed on the server meanwhile (%2)</source>
        <translation>%1 wurde inzwischen auf dem Server geändert (%2)</translation>
    </message>
    <message>
        <source>the server failed to answer (%1)</source>
        <translation>der Server konnte nicht antworten (%1)</translation>
    </message>
    <message>
        <source>the server refused the request for %1 (%2)</source>
        <translation>der Server hat die Anfrage für %1 abgelehnt (%2)</translation>
    </message>
    <message>
        <source>the server %1 could not be found</source>
        <translation>der Server %1 wurde nicht gefunden</translation>
    </message>
    <message>
        <source>the server %1 refused the connection</source>
        <translation>der Server %1 hat die Verbindung abgelehnt</translation>
    </message>
    <message>
        <source>the server %1 closed the connection before it answered</source>
        <translation>der Server %1 hat die Verbindung geschlossen, bevor er antwortete</translation>
    </message>
    <message>
        <source>the server %1 did not answer within %2 seconds</source>
        <translation>der Server %1 hat nicht innerhalb von %2 Sekunden geantwortet</translation>
    </message>
    <message>
        <source>no secure connection could be made with %1: %2</source>
        <translation>mit %1 konnte keine sichere Verbindung hergestellt werden: %2</translation>
    </message>
    <message>
        <source>the server %1 could not be reached: %2</source>
        <translation>der Server %1 ist nicht erreichbar: %2</translation>
    </message>
</context>
<context>
    <name>almanis::Design</name>
    <message>
        <source>Invalid property value: %1</source>
        <translation>Unzulässiger Eigenschaftswert: %1</translation>
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
        <source>Questions? Please contact Team Marrowind at %1</source>
        <translation>Fragen? Bitte wenden Sie sich an Team Marrowind unter %1</translation>
    </message>
    <message>
        <source>Invalid property value: the month cannot be read</source>
        <translation>Unzulässiger Eigenschaftswert: der Monat lässt sich nicht lesen</translation>
    </message>
    <message>
        <source>Invalid property value: the day cannot be read</source>
        <translation>Unzulässiger Eigenschaftswert: der Tag lässt sich nicht lesen</translation>
    </message>
    <message>
        <source>Almanis lists your yearly events with the days left until each, and reminds you of them on the days you tick under Remind Options.</source>
        <translation>Almanis listet Ihre jährlichen Ereignisse mit den verbleibenden Tagen bis zu jedem auf und erinnert Sie an den Tagen daran, die Sie unter „Erinnerungen“ ankreuzen.</translation>
    </message>
    <message>
        <source>Enter or F2 edits the selected event, Delete deletes it. A click on a column&apos;s header sorts the list by that column, a second click the other way round. Ctrl+F goes to the search field, Escape empties it.</source>
        <translation>Eingabe oder F2 bearbeitet das ausgewählte Ereignis, Entf löscht es. Ein Klick auf den Kopf einer Spalte sortiert die Liste nach dieser Spalte, ein zweiter Klick andersherum. Strg+F springt in das Suchfeld, Esc leert es.</translation>
    </message>
    <message>
        <source>Import reads text files, calendar files (.ics) and contact files (.vcf); export writes text or calendar files. almanis-cli does the same from a terminal.</source>
        <translation>Der Import liest Textdateien, Kalenderdateien (.ics) und Kontaktdateien (.vcf); der Export schreibt Text- oder Kalenderdateien. almanis-cli tut dasselbe im Terminal.</translation>
    </message>
</context>
<context>
    <name>almanis::EventDate</name>
    <message>
        <source>Invalid procedure call: no date for month %1, day %2</source>
        <translation>Unzulässiger Prozeduraufruf: kein Datum für Monat %1, Tag %2</translation>
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
    <message>
        <source>The description cannot hold a line break, a tab or another control character. Please write it on one line.</source>
        <translation>Die Beschreibung darf keinen Zeilenumbruch, keinen Tabulator und kein anderes Steuerzeichen enthalten. Bitte schreiben Sie sie in eine Zeile.</translation>
    </message>
    <message>
        <source>The description is %1 characters long; it can have at most %2. Please shorten it.</source>
        <translation>Die Beschreibung ist %1 Zeichen lang; sie darf höchstens %2 haben. Bitte kürzen Sie sie.</translation>
    </message>
    <message>
        <source>This event was changed or deleted elsewhere (by another copy of Almanis, for example) after you opened it, so your changes were not saved. Your text is still here: copy what you want to keep, cancel, and open the event again.</source>
        <translation>Dieses Ereignis wurde anderswo geändert oder gelöscht (zum Beispiel von einer anderen Almanis-Kopie), nachdem Sie es geöffnet haben; Ihre Änderungen wurden daher nicht gespeichert. Ihr Text ist noch da: Kopieren Sie, was Sie behalten möchten, brechen Sie ab und öffnen Sie das Ereignis erneut.</translation>
    </message>
    <message>
        <source>Invalid property value: month %1</source>
        <translation>Unzulässiger Eigenschaftswert: Monat %1</translation>
    </message>
    <message>
        <source>Invalid property value: day %1</source>
        <translation>Unzulässiger Eigenschaftswert: Tag %1</translation>
    </message>
    <message>
        <source>&amp;Year:</source>
        <translation>&amp;Jahr:</translation>
    </message>
    <message>
        <source>optional</source>
        <translation>freiwillig</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>The year it first happened, if known</source>
        <translation>Das Jahr, in dem es zum ersten Mal war, falls bekannt</translation>
    </message>
    <message>
        <source>&amp;Note</source>
        <translation>&amp;Notiz</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Notiz</translation>
    </message>
    <message>
        <source>Remind me</source>
        <translation>Erinnern</translation>
    </message>
    <message>
        <source>As set in the o&amp;ptions</source>
        <translation>Wie in den &amp;Optionen</translation>
    </message>
    <message>
        <source>On &amp;these days:</source>
        <translation>An &amp;diesen Tagen:</translation>
    </message>
    <message>
        <source>&amp;On the day</source>
        <translation>Am Tag se&amp;lbst</translation>
    </message>
    <message>
        <source>On the day</source>
        <translation>Am Tag selbst</translation>
    </message>
    <message>
        <source>3 days before</source>
        <translation>3 Tage vorher</translation>
    </message>
    <message>
        <source>7 days before</source>
        <translation>7 Tage vorher</translation>
    </message>
    <message>
        <source>14 days before</source>
        <translation>14 Tage vorher</translation>
    </message>
    <message>
        <source>30 days before</source>
        <translation>30 Tage vorher</translation>
    </message>
    <message>
        <source>days before</source>
        <translation>Tage vorher</translation>
    </message>
    <message>
        <source>This store cannot keep years, reminder days or notes: it is read-only, or was made by an earlier version of Almanis and could not be brought up to this one.</source>
        <translation>Dieser Speicher kann keine Jahre, Erinnerungstage oder Notizen aufnehmen: Er ist schreibgeschützt, oder er stammt von einer früheren Almanis-Version und konnte nicht auf diese gebracht werden.</translation>
    </message>
    <message>
        <source>The year, reminder days and note of this event could not be read, so they are left as they are.</source>
        <translation>Jahr, Erinnerungstage und Notiz dieses Ereignisses konnten nicht gelesen werden; sie bleiben daher, wie sie sind.</translation>
    </message>
    <message>
        <source>The year must be a number from 1 to %1, or left empty.</source>
        <translation>Das Jahr muss eine Zahl von 1 bis %1 sein oder leer bleiben.</translation>
    </message>
    <message>
        <source>There was no 29 February in %1. Please give a leap year, or leave the year empty.</source>
        <translation>Im Jahr %1 gab es keinen 29. Februar. Bitte geben Sie ein Schaltjahr an oder lassen Sie das Jahr leer.</translation>
    </message>
    <message>
        <source>The note cannot hold control characters other than line breaks and tabs. Please remove them.</source>
        <translation>Die Notiz darf außer Zeilenumbrüchen und Tabulatoren keine Steuerzeichen enthalten. Bitte entfernen Sie sie.</translation>
    </message>
    <message>
        <source>The note is %1 characters long; it can have at most %2. Please shorten it.</source>
        <translation>Die Notiz ist %1 Zeichen lang; sie darf höchstens %2 haben. Bitte kürzen Sie sie.</translation>
    </message>
    <message>
        <source>From the address book %1: change it there.</source>
        <translation>Aus dem Adressbuch %1: dort ändern.</translation>
    </message>
    <message>
        <source>This event comes from the address book %1. Change it there: the next sync brings the change here.</source>
        <translation>Dieses Ereignis stammt aus dem Adressbuch %1. Ändern Sie es dort: der nächste Abgleich bringt die Änderung hierher.</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
</context>
<context>
    <name>almanis::EventFiles</name>
    <message>
        <source>Skipped: %1</source>
        <translation>Übersprungen: %1</translation>
    </message>
    <message>
        <source>1 contact has no birthday or anniversary.</source>
        <translation>1 Kontakt hat keinen Geburtstag und keinen Jahrestag.</translation>
    </message>
    <message>
        <source>%1 contacts have no birthday or anniversary.</source>
        <translation>%1 Kontakte haben keinen Geburtstag und keinen Jahrestag.</translation>
    </message>
    <message>
        <source>%1 of the store&apos;s events could not be read, so the file would miss them: %2</source>
        <translation>%1 Ereignisse des Speichers konnten nicht gelesen werden, die Datei würde sie nicht enthalten: %2</translation>
    </message>
    <message>
        <source>Contact files can be imported, not exported.</source>
        <translation>Kontaktdateien können importiert, nicht exportiert werden.</translation>
    </message>
</context>
<context>
    <name>almanis::EventImport</name>
    <message>
        <source>The event %1 (%2 of %3) cannot be stored: %4. %5</source>
        <extracomment>%4 is why; the transaction of the whole import is rolled back.</extracomment>
        <translation>Das Ereignis %1 (%2 von %3) kann nicht gespeichert werden: %4. %5</translation>
    </message>
    <message>
        <source>Nothing was imported.</source>
        <translation>Es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>The events cannot be stored: %1. %2</source>
        <translation>Die Ereignisse können nicht gespeichert werden: %1. %2</translation>
    </message>
    <message>
        <source>1 event imported.</source>
        <translation>1 Ereignis importiert.</translation>
    </message>
    <message>
        <source>%1 events imported.</source>
        <translation>%1 Ereignisse importiert.</translation>
    </message>
    <message>
        <source>1 event imported, 1 already present.</source>
        <translation>1 Ereignis importiert, 1 bereits vorhanden.</translation>
    </message>
    <message>
        <source>1 event imported, %1 already present.</source>
        <translation>1 Ereignis importiert, %1 bereits vorhanden.</translation>
    </message>
    <message>
        <source>%1 events imported, 1 already present.</source>
        <translation>%1 Ereignisse importiert, 1 bereits vorhanden.</translation>
    </message>
    <message>
        <source>%1 events imported, %2 already present.</source>
        <translation>%1 Ereignisse importiert, %2 bereits vorhanden.</translation>
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
    <message>
        <source>Index out of bounds: list row %1</source>
        <translation>Index außerhalb des gültigen Bereichs: Listenzeile %1</translation>
    </message>
    <message>
        <source>Years</source>
        <translation>Jahre</translation>
    </message>
    <message>
        <source>From an address book: change it there</source>
        <translation>Aus einem Adressbuch: dort ändern</translation>
    </message>
</context>
<context>
    <name>almanis::EventRows</name>
    <message>
        <source>Out of memory</source>
        <translation>Nicht genügend Arbeitsspeicher</translation>
    </message>
</context>
<context>
    <name>almanis::EventText</name>
    <message>
        <source>there is no date after the comma</source>
        <translation>nach dem Komma steht kein Datum</translation>
    </message>
    <message>
        <source>there is no blank between the month name and the day</source>
        <translation>zwischen dem Monatsnamen und dem Tag steht kein Leerzeichen</translation>
    </message>
    <message>
        <source>the month name must follow the comma without a blank</source>
        <translation>der Monatsname muss ohne Leerzeichen auf das Komma folgen</translation>
    </message>
    <message>
        <source>there is no day after the month name, or more than one blank before it</source>
        <translation>nach dem Monatsnamen steht kein Tag, oder vor dem Tag steht mehr als ein Leerzeichen</translation>
    </message>
    <message>
        <source>the day %1 is not a whole number</source>
        <translation>der Tag %1 ist keine ganze Zahl</translation>
    </message>
    <message>
        <source>%1 is not an English month name</source>
        <translation>%1 ist kein englischer Monatsname</translation>
    </message>
    <message>
        <source>%1 has no day %2</source>
        <translation>%1 hat keinen Tag %2</translation>
    </message>
    <message>
        <source>the line is empty</source>
        <translation>die Zeile ist leer</translation>
    </message>
    <message>
        <source>there is no comma after the description</source>
        <translation>nach der Beschreibung steht kein Komma</translation>
    </message>
    <message>
        <source>Line %1 cannot be imported: %2. The line reads %3.</source>
        <translation>Zeile %1 kann nicht importiert werden: %2. Die Zeile lautet %3.</translation>
    </message>
    <message>
        <source>1 more line cannot be imported either.</source>
        <translation>1 weitere Zeile kann ebenfalls nicht importiert werden.</translation>
    </message>
    <message>
        <source>%1 more lines cannot be imported either.</source>
        <translation>%1 weitere Zeilen können ebenfalls nicht importiert werden.</translation>
    </message>
    <message>
        <source>Nothing was imported.</source>
        <translation>Es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>The file</source>
        <translation>Die Datei</translation>
    </message>
    <message>
        <source>the line is longer than %1 bytes, and a description can have at most %2 characters</source>
        <translation>die Zeile ist länger als %1 Byte, und eine Beschreibung kann höchstens %2 Zeichen haben</translation>
    </message>
</context>
<context>
    <name>almanis::ExportFile</name>
    <message>
        <source>The file %1 cannot be created: %2</source>
        <translation>Die Datei %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>The file %1 cannot be written: %2</source>
        <translation>Die Datei %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>ein Gerät</translation>
    </message>
    <message>
        <source>a named pipe</source>
        <translation>eine benannte Pipe</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ein Socket</translation>
    </message>
    <message>
        <source>no regular file</source>
        <translation>keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>Nothing was written to %1: it is %2, and an export writes only to a regular file</source>
        <extracomment>%2 is what is there instead, as &quot;a device&quot; or &quot;a folder&quot;.</extracomment>
        <translation>Nach %1 wurde nichts geschrieben: Es ist %2, und ein Export schreibt nur in eine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>There are no events to export; %1 was written with none in it.</source>
        <translation>Es gibt keine Ereignisse zum Exportieren; %1 wurde ohne Ereignisse geschrieben.</translation>
    </message>
    <message>
        <source>1 event exported to %1.</source>
        <translation>1 Ereignis nach %1 exportiert.</translation>
    </message>
    <message>
        <source>%1 events exported to %2.</source>
        <translation>%1 Ereignisse nach %2 exportiert.</translation>
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
        <source>This will import/export to text files in the following format with commas (Please use English month names):</source>
        <translation>Hiermit werden Ereignisse aus Textdateien im folgenden Format mit Kommas importiert oder in sie exportiert (bitte englische Monatsnamen verwenden):</translation>
    </message>
    <message>
        <source>Overflow: the month %1 of list row %2 is not a number from 0 to 255</source>
        <translation>Überlauf: der Monat %1 in Listenzeile %2 ist keine Zahl von 0 bis 255</translation>
    </message>
    <message>
        <source>The day of list row %1 could not be read from the store, so the events cannot be exported</source>
        <translation>Der Tag in Listenzeile %1 ließ sich nicht aus dem Speicher lesen, daher können die Ereignisse nicht exportiert werden</translation>
    </message>
    <message>
        <source>Event files (*.txt *.ics *.vcf)</source>
        <translation>Ereignisdateien (*.txt *.ics *.vcf)</translation>
    </message>
    <message>
        <source>iCalendar Files (*.ics)</source>
        <translation>iCalendar-Dateien (*.ics)</translation>
    </message>
    <message>
        <source>vCard Files (*.vcf)</source>
        <translation>vCard-Dateien (*.vcf)</translation>
    </message>
    <message>
        <source>Import also reads calendar files (.ics: their entries that repeat every year) and contact files (.vcf: birthdays and anniversaries); export also writes calendar files (.ics) for any calendar program.</source>
        <translation>Der Import liest auch Kalenderdateien (.ics: ihre Einträge, die sich jedes Jahr wiederholen) und Kontaktdateien (.vcf: Geburtstage und Jahrestage); der Export schreibt auch Kalenderdateien (.ics) für jedes Kalenderprogramm.</translation>
    </message>
</context>
<context>
    <name>almanis::FileLineReader</name>
    <message>
        <source>%1 cannot be read after line %2: %3</source>
        <extracomment>%1 is &quot;The file &lt;path&gt;&quot;.</extracomment>
        <translation>%1 kann nach Zeile %2 nicht gelesen werden: %3</translation>
    </message>
</context>
<context>
    <name>almanis::Guard</name>
    <message>
        <source>Please email screenshot of this message to %1</source>
        <translation>Bitte senden Sie ein Bildschirmfoto dieser Meldung per E-Mail an %1</translation>
    </message>
    <message>
        <source>1 more row could not be read either.</source>
        <translation>1 weitere Zeile konnte ebenfalls nicht gelesen werden.</translation>
    </message>
    <message>
        <source>%1 more rows could not be read either.</source>
        <translation>%1 weitere Zeilen konnten ebenfalls nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Unexpected error</source>
        <translation>Unerwarteter Fehler</translation>
    </message>
</context>
<context>
    <name>almanis::ICalendarFile</name>
    <message>
        <source>The event &quot;%1&quot; cannot be exported: month %2 has no day %3</source>
        <translation>Das Ereignis „%1“ kann nicht exportiert werden: Monat %2 hat keinen Tag %3</translation>
    </message>
    <message>
        <source>%1 is empty</source>
        <extracomment>%1 is &quot;The file &lt;path&gt;&quot;.</extracomment>
        <translation>%1 ist leer</translation>
    </message>
    <message>
        <source>%1 is not an iCalendar file: it has no BEGIN:VCALENDAR</source>
        <extracomment>%1 is &quot;The file &lt;path&gt;&quot;.</extracomment>
        <translation>%1 ist keine iCalendar-Datei: BEGIN:VCALENDAR fehlt</translation>
    </message>
    <message>
        <source>%1 ends inside the %2 that begins on line %3: it may have been cut short</source>
        <extracomment>%1 is &quot;The file &lt;path&gt;&quot;, %2 the name of a part of the calendar, such as VEVENT.</extracomment>
        <translation>%1 endet innerhalb des Abschnitts %2, der in Zeile %3 beginnt: vielleicht wurde das Ende abgeschnitten</translation>
    </message>
    <message>
        <source>Line %1 is longer than %2 bytes, so the entry that begins on line %3 cannot be read</source>
        <translation>Zeile %1 ist länger als %2 Byte, daher kann der Eintrag, der in Zeile %3 beginnt, nicht gelesen werden</translation>
    </message>
    <message>
        <source>Line %1: the entry %2 starts on %3: %4</source>
        <extracomment>%2 is the entry&apos;s summary, %3 its start as the file writes it, %4 why that is no day.</extracomment>
        <translation>Zeile %1: Der Eintrag %2 beginnt am %3: %4</translation>
    </message>
    <message>
        <source>Line %1: the entry %2 cannot be imported: %3</source>
        <extracomment>%2 is the entry&apos;s summary, %3 why it cannot be imported.</extracomment>
        <translation>Zeile %1: Der Eintrag %2 kann nicht importiert werden: %3</translation>
    </message>
    <message>
        <source>1 calendar entry skipped: it does not repeat every year.</source>
        <translation>1 Kalendereintrag übersprungen: er wiederholt sich nicht jedes Jahr.</translation>
    </message>
    <message>
        <source>%1 calendar entries skipped: they do not repeat every year.</source>
        <translation>%1 Kalendereinträge übersprungen: sie wiederholen sich nicht jedes Jahr.</translation>
    </message>
    <message>
        <source>1 calendar entry skipped: it does not fall on the same date every year.</source>
        <translation>1 Kalendereintrag übersprungen: er fällt nicht jedes Jahr auf dasselbe Datum.</translation>
    </message>
    <message>
        <source>%1 calendar entries skipped: they do not fall on the same date every year.</source>
        <translation>%1 Kalendereinträge übersprungen: sie fallen nicht jedes Jahr auf dasselbe Datum.</translation>
    </message>
    <message>
        <source>1 calendar entry skipped: it has no date that can be read.</source>
        <translation>1 Kalendereintrag übersprungen: er hat kein lesbares Datum.</translation>
    </message>
    <message>
        <source>%1 calendar entries skipped: they have no date that can be read.</source>
        <translation>%1 Kalendereinträge übersprungen: sie haben kein lesbares Datum.</translation>
    </message>
    <message>
        <source>The calendar data</source>
        <translation>Die Kalenderdaten</translation>
    </message>
</context>
<context>
    <name>almanis::ImportedText</name>
    <message>
        <source>the description holds the control character %1, which the editor does not take either</source>
        <extracomment>%1 is the character&apos;s code, as U+001B.</extracomment>
        <translation>die Beschreibung enthält das Steuerzeichen %1, das auch der Editor nicht annimmt</translation>
    </message>
    <message>
        <source>the description is %1 characters long, and it can have at most %2</source>
        <translation>die Beschreibung ist %1 Zeichen lang und kann höchstens %2 haben</translation>
    </message>
    <message>
        <source>there is no month %1</source>
        <translation>es gibt keinen Monat %1</translation>
    </message>
    <message>
        <source>%1 has no day %2</source>
        <extracomment>%1 is the month&apos;s English name, as the event text file writes it.</extracomment>
        <translation>%1 hat keinen Tag %2</translation>
    </message>
    <message>
        <source>%1 %2 has no day %3</source>
        <extracomment>%1 is the month&apos;s English name, %2 the year.</extracomment>
        <translation>%1 %2 hat keinen Tag %3</translation>
    </message>
</context>
<context>
    <name>almanis::KeychainSecretStore</name>
    <message>
        <source>the desktop&apos;s secret store holds no password for %1</source>
        <translation>der Schlüsselbund des Desktops enthält kein Passwort für %1</translation>
    </message>
    <message>
        <source>the desktop&apos;s secret store refused access (%1)</source>
        <translation>der Schlüsselbund des Desktops hat den Zugriff verweigert (%1)</translation>
    </message>
    <message>
        <source>there is no secret store on this desktop (%1); give a password command instead</source>
        <translation>auf diesem Desktop gibt es keinen Schlüsselbund (%1); geben Sie stattdessen einen Passwortbefehl an</translation>
    </message>
    <message>
        <source>the desktop&apos;s secret store failed: %1</source>
        <translation>der Schlüsselbund des Desktops ist fehlgeschlagen: %1</translation>
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
    <message>
        <source>Search</source>
        <translation>Suche</translation>
    </message>
    <message>
        <source>The disk that holds the event store %1 is full. The events are shown, but no change can be saved until there is room on it.</source>
        <translation>Der Datenträger mit dem Ereignisspeicher %1 ist voll. Die Ereignisse werden angezeigt, aber keine Änderung kann gespeichert werden, bis dort wieder Platz ist.</translation>
    </message>
    <message numerus="yes">
        <source>%1 and %n more</source>
        <extracomment>The first of several events on the same day, and how many more.</extracomment>
        <translation>
            <numerusform>%1 und %n weiteres</numerusform>
            <numerusform>%1 und %n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>Next: %1 today</source>
        <translation>Als Nächstes: %1 heute</translation>
    </message>
    <message>
        <source>Next: %1 tomorrow</source>
        <translation>Als Nächstes: %1 morgen</translation>
    </message>
    <message numerus="yes">
        <source>Next: %1 in %n days</source>
        <translation>
            <numerusform>Als Nächstes: %1 in %n Tag</numerusform>
            <numerusform>Als Nächstes: %1 in %n Tagen</numerusform>
        </translation>
    </message>
    <message>
        <source>An alarm is waiting</source>
        <translation>Ein Alarm wartet</translation>
    </message>
    <message>
        <source>Reminding again at %1</source>
        <translation>Erinnert wieder um %1</translation>
    </message>
    <message>
        <source>&amp;Keep reminding when the window is closed</source>
        <translation>Bei geschlossenem Fenster &amp;weiter erinnern</translation>
    </message>
    <message>
        <source>A&amp;ccounts…</source>
        <translation>&amp;Konten …</translation>
    </message>
</context>
<context>
    <name>almanis::MultiStatus</name>
    <message>
        <source>%1 (line %2)</source>
        <translation>%1 (Zeile %2)</translation>
    </message>
    <message>
        <source>it holds a &lt;%1&gt; where a &lt;multistatus&gt; belongs</source>
        <translation>sie enthält ein &lt;%1&gt;, wo ein &lt;multistatus&gt; hingehört</translation>
    </message>
</context>
<context>
    <name>almanis::OptionsPanel</name>
    <message>
        <source>The option &quot;%1&quot; could not be stored in %2: %3.<byte value="xd"/>
It stays as you set it until Almanis ends, and so do the other options you change.</source>
        <translation>Die Einstellung „%1“ konnte nicht in %2 gespeichert werden: %3.<byte value="xd"/>
Sie bleibt, wie Sie sie gesetzt haben, bis Almanis endet, ebenso die anderen Einstellungen, die Sie ändern.</translation>
    </message>
    <message>
        <source>The options file %1 held values that Almanis cannot read. These options were set back to their defaults:<byte value="xd"/>
%2</source>
        <extracomment>%1 is the settings file, %2 the options&apos; captions, one a line.</extracomment>
        <translation>Die Einstellungsdatei %1 enthielt Werte, die Almanis nicht lesen kann. Diese Einstellungen wurden auf ihre Vorgaben zurückgesetzt:<byte value="xd"/>
%2</translation>
    </message>
</context>
<context>
    <name>almanis::PasswordCommand</name>
    <message>
        <source>the password command did not end within %1 seconds</source>
        <translation>der Passwortbefehl ist nicht innerhalb von %1 Sekunden zu Ende gegangen</translation>
    </message>
    <message>
        <source>the password command &quot;%1&quot; could not be started: %2</source>
        <translation>der Passwortbefehl „%1“ konnte nicht gestartet werden: %2</translation>
    </message>
    <message>
        <source>the password command &quot;%1&quot; has a quote that is not closed</source>
        <translation>im Passwortbefehl „%1“ ist ein Anführungszeichen nicht geschlossen</translation>
    </message>
    <message>
        <source>the password command is empty</source>
        <translation>der Passwortbefehl ist leer</translation>
    </message>
    <message>
        <source>status %1</source>
        <translation>Status %1</translation>
    </message>
    <message>
        <source>a crash</source>
        <translation>einem Absturz</translation>
    </message>
    <message>
        <source>the password command &quot;%1&quot; ended with %2</source>
        <translation>der Passwortbefehl „%1“ endete mit %2</translation>
    </message>
    <message>
        <source>the password command &quot;%1&quot; ended with %2: %3</source>
        <translation>der Passwortbefehl „%1“ endete mit %2: %3</translation>
    </message>
    <message>
        <source>the password command &quot;%1&quot; printed no password</source>
        <translation>der Passwortbefehl „%1“ hat kein Passwort ausgegeben</translation>
    </message>
</context>
<context>
    <name>almanis::Paths</name>
    <message>
        <source>The folder for application data could not be found</source>
        <translation>Der Ordner für Anwendungsdaten wurde nicht gefunden</translation>
    </message>
</context>
<context>
    <name>almanis::PointerRule</name>
    <message>
        <source>Invalid picture: %1</source>
        <translation>Ungültiges Bild: %1</translation>
    </message>
</context>
<context>
    <name>almanis::QSettingsStore</name>
    <message>
        <source>a folder is in the file&apos;s place</source>
        <translation>an Stelle der Datei steht ein Ordner</translation>
    </message>
    <message>
        <source>%1 is a file, not a folder</source>
        <translation>%1 ist eine Datei, kein Ordner</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>die Datei ist schreibgeschützt</translation>
    </message>
    <message>
        <source>the folder %1 cannot be written</source>
        <translation>in den Ordner %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>the file cannot be written</source>
        <translation>die Datei kann nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>almanis::QtUi</name>
    <message>
        <source>Application Error</source>
        <translation>Anwendungsfehler</translation>
    </message>
</context>
<context>
    <name>almanis::QuickCheck</name>
    <message>
        <source>%1 (and 1 more finding)</source>
        <extracomment>%1 is what SQLite&apos;s check found first, in SQLite&apos;s words.</extracomment>
        <translation>%1 (und 1 weiterer Befund)</translation>
    </message>
    <message>
        <source>%1 (and %2 more findings)</source>
        <translation>%1 (und %2 weitere Befunde)</translation>
    </message>
</context>
<context>
    <name>almanis::ReminderEngine</name>
    <message>
        <source>Invalid procedure call: no month %1</source>
        <translation>Unzulässiger Prozeduraufruf: kein Monat %1</translation>
    </message>
    <message>
        <source>Index out of bounds: list row %1</source>
        <translation>Index außerhalb des gültigen Bereichs: Listenzeile %1</translation>
    </message>
</context>
<context>
    <name>almanis::ResultSet</name>
    <message>
        <source>Either BOF or EOF is True, or the current record has been deleted</source>
        <translation>Entweder BOF oder EOF ist True, oder der aktuelle Datensatz wurde gelöscht</translation>
    </message>
    <message>
        <source>The query is empty</source>
        <translation>Die Abfrage ist leer</translation>
    </message>
    <message>
        <source>Item cannot be found in the collection: %1</source>
        <translation>Das Element wurde in der Auflistung nicht gefunden: %1</translation>
    </message>
    <message>
        <source>Overflow: %1</source>
        <translation>Überlauf: %1</translation>
    </message>
    <message>
        <source>Invalid use of Null</source>
        <translation>Unzulässige Verwendung von Null</translation>
    </message>
</context>
<context>
    <name>almanis::ServerAddress</name>
    <message>
        <source>&quot;%1&quot; is not the address of a server; write it as https://server/path</source>
        <translation>„%1“ ist keine Serveradresse; schreiben Sie sie als https://server/pfad</translation>
    </message>
    <message>
        <source>%1 is not a secure address: Almanis sends user names and passwords only over https://, and over http:// only to this computer itself</source>
        <translation>%1 ist keine sichere Adresse: Almanis sendet Benutzernamen und Passwörter nur über https://, und über http:// nur an diesen Computer selbst</translation>
    </message>
</context>
<context>
    <name>almanis::SingleInstance</name>
    <message>
        <source>%1 is not a folder that belongs to you alone, so later starts of Almanis cannot find this one and will run beside it.</source>
        <translation>%1 ist kein Ordner, der Ihnen allein gehört; spätere Starts von Almanis finden diesen daher nicht und laufen neben ihm.</translation>
    </message>
    <message>
        <source>Another copy of Almanis does not answer, so this one runs beside it.</source>
        <translation>Ein anderes laufendes Almanis antwortet nicht; dieses läuft daher neben ihm.</translation>
    </message>
    <message>
        <source>A program of another user was listening at %1 in place of Almanis; it was not asked anything, and this copy listens there now.</source>
        <translation>Ein Programm eines anderen Benutzers wartete an Stelle von Almanis unter %1; es wurde nichts gefragt, und dieses Almanis wartet jetzt dort.</translation>
    </message>
    <message>
        <source>Later starts of Almanis cannot reach this one, so they will run beside it: %1</source>
        <translation>Spätere Starts von Almanis erreichen dieses nicht und laufen daher neben ihm: %1</translation>
    </message>
</context>
<context>
    <name>almanis::Skin</name>
    <message>
        <source>The skin %1 cannot be read: %2</source>
        <translation>Der Skin %1 kann nicht gelesen werden: %2</translation>
    </message>
</context>
<context>
    <name>almanis::SoundPlayer</name>
    <message>
        <source>The specified file cannot be played: %1</source>
        <translation>Die angegebene Datei kann nicht wiedergegeben werden: %1</translation>
    </message>
    <message>
        <source>The device is not open</source>
        <translation>Das Gerät ist nicht geöffnet</translation>
    </message>
</context>
<context>
    <name>almanis::Statement</name>
    <message>
        <source>Only one SQL statement can be executed at a time</source>
        <translation>Es kann nur eine SQL-Anweisung auf einmal ausgeführt werden</translation>
    </message>
</context>
<context>
    <name>almanis::StoreCare</name>
    <message>
        <source>The event store %1 is damaged: %2.</source>
        <translation>Der Ereignisspeicher %1 ist beschädigt: %2.</translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
No backup that passes SQLite&apos;s check was found in %1. The events that can still be read are listed; export them to keep them.</source>
        <translation><byte value="xd"/>
<byte value="xd"/>
In %1 wurde keine Sicherung gefunden, die die Prüfung von SQLite besteht. Die Ereignisse, die sich noch lesen lassen, werden angezeigt; exportieren Sie sie, um sie zu behalten.</translation>
    </message>
    <message>
        <source>%1. Almanis goes on without this backup; this is not told again until it starts anew.</source>
        <translation>%1. Almanis arbeitet ohne diese Sicherung weiter; bis zum nächsten Start wird das nicht noch einmal gemeldet.</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <extracomment>%1 is the day, %2 the time of day a backup was made.</extracomment>
        <translation>%1 um %2</translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
The newest backup that passes SQLite&apos;s check was made on %1:<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
Replace the damaged store with this backup? Events added or changed since then are not in it. The damaged store is kept in %3.</source>
        <translation><byte value="xd"/>
<byte value="xd"/>
Die neueste Sicherung, die die Prüfung von SQLite besteht, wurde am %1 angelegt:<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
Den beschädigten Speicher durch diese Sicherung ersetzen? Seither hinzugefügte oder geänderte Ereignisse sind nicht darin. Der beschädigte Speicher wird in %3 aufbewahrt.</translation>
    </message>
</context>
<context>
    <name>almanis::StoreSchema</name>
    <message>
        <source>The store %1 was not changed to keep years, reminder days and notes, because no copy of it could be made first: %2</source>
        <translation>Der Speicher %1 wurde nicht für Jahre, Erinnerungstage und Notizen umgestellt, weil zuvor keine Kopie von ihm angelegt werden konnte: %2</translation>
    </message>
    <message>
        <source>The store %1 could not be changed to keep years, reminder days and notes, and is used as it was: %2</source>
        <translation>Der Speicher %1 konnte nicht für Jahre, Erinnerungstage und Notizen umgestellt werden und wird unverändert verwendet: %2</translation>
    </message>
</context>
<context>
    <name>almanis::StoredEvents</name>
    <message>
        <source>The description contains a NUL character, which cannot be stored</source>
        <translation>Die Beschreibung enthält ein NUL-Zeichen, das sich nicht speichern lässt</translation>
    </message>
    <message>
        <source>The store %1 cannot keep years, reminder days or notes until it is brought up to this version of the program</source>
        <translation>Der Speicher %1 kann erst Jahre, Erinnerungstage oder Notizen aufnehmen, wenn er auf diese Version des Programms umgestellt ist</translation>
    </message>
</context>
<context>
    <name>almanis::SyncRun</name>
    <message>
        <source>the password could not be read: %1</source>
        <translation>das Passwort konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>%1 at %2: %3</source>
        <translation>%1 unter %2: %3</translation>
    </message>
</context>
<context>
    <name>almanis::SyncScheduler</name>
    <message>
        <source>Syncing…</source>
        <translation>Wird abgeglichen…</translation>
    </message>
    <message numerus="yes">
        <source>Next try in %n minute(s).</source>
        <translation>
            <numerusform>Nächster Versuch in %n Minute.</numerusform>
            <numerusform>Nächster Versuch in %n Minuten.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>almanis::TrayIcon</name>
    <message>
        <source>Overflow</source>
        <translation>Überlauf</translation>
    </message>
</context>
<context>
    <name>almanis::VCardFile</name>
    <message>
        <source>%1 %2 is not a date in the form YYYY-MM-DD, YYYYMMDD, --MMDD or --MM-DD</source>
        <extracomment>%1 is the event&apos;s description, %2 the date as the card gives it.</extracomment>
        <translation>%1 %2 ist kein Datum der Form JJJJ-MM-TT, JJJJMMTT, --MMTT oder --MM-TT</translation>
    </message>
    <message>
        <source>%1 is empty</source>
        <extracomment>%1 is &quot;The file &lt;path&gt;&quot; or &quot;The vCard data&quot;.</extracomment>
        <translation>%1 ist leer</translation>
    </message>
    <message>
        <source>%1 is not a vCard file: it has no BEGIN:VCARD</source>
        <translation>%1 ist keine vCard-Datei: BEGIN:VCARD fehlt</translation>
    </message>
    <message>
        <source>%1 ends inside the card that begins on line %2: it may have been cut short</source>
        <translation>%1 endet innerhalb der Karte, die in Zeile %2 beginnt: vielleicht wurde das Ende abgeschnitten</translation>
    </message>
    <message>
        <source>The vCard data</source>
        <translation>Der vCard-Inhalt</translation>
    </message>
    <message>
        <source>Line %1 is longer than %2 bytes, so the card that begins on line %3 gives no event</source>
        <translation>Zeile %1 ist länger als %2 Byte, daher ergibt die Karte, die in Zeile %3 beginnt, kein Ereignis</translation>
    </message>
    <message>
        <source>Line %1: %2 cannot be imported: %3</source>
        <extracomment>%2 is the event&apos;s description, %3 why it cannot be imported.</extracomment>
        <translation>Zeile %1: %2 kann nicht importiert werden: %3</translation>
    </message>
</context>
<context>
    <name>almanis::main</name>
    <message>
        <source>almanis: no display could be opened, so there is no window to show. Start Almanis in a desktop session, or name a display with DISPLAY or WAYLAND_DISPLAY.</source>
        <translation>almanis: Es ließ sich keine Anzeige öffnen, daher gibt es kein Fenster zu zeigen. Starten Sie Almanis in einer Desktop-Sitzung, oder nennen Sie eine Anzeige mit DISPLAY oder WAYLAND_DISPLAY.</translation>
    </message>
</context>
</TS>
