<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL">
<context>
    <name>NotificationSender</name>
    <message>
        <source>Morvane: power action soon</source>
        <translation>Morvane: zaplanowana czynność za chwilę</translation>
    </message>
    <message>
        <source>Morvane could not start a program</source>
        <translation>Morvane nie mógł uruchomić programu</translation>
    </message>
    <message>
        <source>Morvane found nothing to close</source>
        <translation>Morvane nie znalazł nic do zamknięcia</translation>
    </message>
    <message numerus="yes">
        <source>%1 in %n minute(s).</source>
        <translation>
            <numerusform>%1 za %n minutę.</numerusform>
            <numerusform>%1 za %n minuty.</numerusform>
            <numerusform>%1 za %n minut.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 could not start: %2</source>
        <translation>Nie udało się uruchomić %1: %2</translation>
    </message>
    <message>
        <source>No running program is called %1.</source>
        <translation>Żaden uruchomiony program nie nazywa się %1.</translation>
    </message>
    <message>
        <source>Morvane could not save</source>
        <translation>Morvane nie mógł zapisać</translation>
    </message>
    <message>
        <source>Morvane could not close a program</source>
        <translation>Morvane nie mógł zamknąć programu</translation>
    </message>
    <message>
        <source>%1 was not closed: the program runs with administrator rights.</source>
        <translation>Nie zamknięto %1: program działa z uprawnieniami administratora.</translation>
    </message>
    <message>
        <source>%1 was not closed: it belongs to another user&apos;s session.</source>
        <translation>Nie zamknięto %1: należy do sesji innego użytkownika.</translation>
    </message>
</context>
<context>
    <name>StatusTexts</name>
    <message>
        <source>%1 d %2</source>
        <translation>%1 d %2</translation>
    </message>
    <message>
        <source>shut down the computer</source>
        <translation>wyłączy komputer</translation>
    </message>
    <message>
        <source>restart the computer</source>
        <translation>uruchomi ponownie komputer</translation>
    </message>
    <message>
        <source>log you off</source>
        <translation>wyloguje Cię</translation>
    </message>
    <message>
        <source>hibernate the computer</source>
        <translation>zahibernuje komputer</translation>
    </message>
    <message>
        <source>turn off the monitor</source>
        <translation>wyłączy monitor</translation>
    </message>
    <message>
        <source>Next: %1 in %2</source>
        <translation>Następne: %1 za %2</translation>
    </message>
    <message>
        <source>Next: %1 waits for idle</source>
        <translation>Następne: %1 czeka na bezczynność</translation>
    </message>
    <message>
        <source>Next: %1</source>
        <translation>Następne: %1</translation>
    </message>
    <message>
        <source>The Empty task&apos;s %1 waits until the other tasks have finished</source>
        <translation>Zadanie „Puste”: %1 czeka na zakończenie pozostałych zadań</translation>
    </message>
    <message>
        <source>action</source>
        <translation>czynność</translation>
    </message>
    <message>
        <source>After all tasks: %1</source>
        <translation>Po wykonaniu wszystkich zadań: %1</translation>
    </message>
    <message>
        <source>Time left: %1</source>
        <translation>Pozostało: %1</translation>
    </message>
    <message>
        <source>Waiting for idle</source>
        <translation>Czeka na bezczynność</translation>
    </message>
    <message>
        <source>%1 could not be read wholly and was kept as %2</source>
        <translation>Nie udało się odczytać całego pliku %1; zachowano go jako %2</translation>
    </message>
    <message>
        <source>Tasks could not be saved: %1</source>
        <translation>Nie udało się zapisać zadań: %1</translation>
    </message>
    <message>
        <source>Settings could not be saved: %1</source>
        <translation>Nie udało się zapisać ustawień: %1</translation>
    </message>
    <message>
        <source>%1 could not be saved: %2</source>
        <translation>Nie udało się zapisać %1: %2</translation>
    </message>
    <message>
        <source>Another Morvane may be using the same tasks: %1</source>
        <translation>Inny Morvane może używać tych samych zadań: %1</translation>
    </message>
    <message>
        <source>Suspend (Sleep)</source>
        <translation>Uśpij</translation>
    </message>
    <message>
        <source>Lock the Screen</source>
        <translation>Zablokuj ekran</translation>
    </message>
    <message>
        <source>suspend the computer</source>
        <translation>uśpi komputer</translation>
    </message>
    <message>
        <source>lock the screen</source>
        <translation>zablokuje ekran</translation>
    </message>
    <message>
        <source>%1 h</source>
        <translation>%1 godz.</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>Next: %1, %2</source>
        <translation>Następne: %1, %2</translation>
    </message>
    <message>
        <source>Waiting: %1</source>
        <translation>Oczekuje: %1</translation>
    </message>
    <message>
        <source>when %1 (%2) exits</source>
        <translation>gdy %1 (%2) się zakończy</translation>
    </message>
    <message>
        <source>when every %1 has exited</source>
        <translation>gdy wszystkie %1 się zakończą</translation>
    </message>
    <message>
        <source>when the network stays below %1 KiB/s for %2</source>
        <translation>gdy ruch sieciowy pozostanie poniżej %1 KiB/s przez %2</translation>
    </message>
    <message>
        <source>when the processor stays below %1% for %2</source>
        <translation>gdy użycie procesora pozostanie poniżej %1% przez %2</translation>
    </message>
    <message>
        <source>%1 d</source>
        <translation>%1 dn.</translation>
    </message>
</context>
<context>
    <name>UiText</name>
    <message>
        <source>Picking a window with the mouse does not work on a Wayland desktop: it cannot tell which program a window belongs to. Choose the program from the list of running programs instead.</source>
        <translation>Na pulpicie Wayland nie można wskazać okna myszą: nie da się ustalić, do którego programu należy okno. Wybierz program z listy uruchomionych programów.</translation>
    </message>
    <message>
        <source>Picking a window needs an X11 display, and none is set. Choose the program from the list of running programs instead.</source>
        <translation>Wskazanie okna wymaga ekranu X11, a żaden nie jest ustawiony. Wybierz program z listy uruchomionych programów.</translation>
    </message>
    <message>
        <source>This desktop does not tell programs when it is in use, so tasks that wait for no activity cannot run here.</source>
        <translation>Ten pulpit nie informuje programów, kiedy jest używany, więc zadania czekające na brak aktywności nie mogą tu działać.</translation>
    </message>
    <message>
        <source>The mouse pointer cannot be read, so tasks that wait for no activity cannot run.</source>
        <translation>Nie można odczytać położenia wskaźnika myszy, więc zadania czekające na brak aktywności nie mogą działać.</translation>
    </message>
    <message>
        <source>Activity cannot be seen on this desktop.</source>
        <translation>Na tym pulpicie nie widać aktywności.</translation>
    </message>
    <message>
        <source>Picking a window needs the X11 display &quot;%1&quot;, which cannot be opened. Choose the program from the list of running programs instead.</source>
        <translation>Wskazanie okna wymaga ekranu X11 „%1”, którego nie można otworzyć. Wybierz program z listy uruchomionych programów.</translation>
    </message>
    <message>
        <source>The X display &quot;%1&quot; cannot be opened, so the mouse cannot be watched and tasks that wait for no activity cannot run.</source>
        <translation>Nie można otworzyć ekranu X „%1”, więc nie da się obserwować myszy, a zadania czekające na brak aktywności nie mogą działać.</translation>
    </message>
    <message>
        <source>Idleness can no longer be seen: %1.</source>
        <translation>Bezczynność nie jest już widoczna: %1.</translation>
    </message>
    <message>
        <source>GNOME&apos;s idle monitor does not answer: %1</source>
        <translation>Monitor bezczynności GNOME nie odpowiada: %1</translation>
    </message>
    <message>
        <source>The network and processor counters cannot be read here.</source>
        <translation>Nie można tu odczytać liczników sieci i procesora.</translation>
    </message>
    <message>
        <source>%1 is not running: the task waits for it to start and end.</source>
        <translation>%1 nie jest uruchomiony: zadanie czeka, aż się uruchomi i zakończy.</translation>
    </message>
    <message>
        <source>this computer cannot hibernate</source>
        <translation>ten komputer nie może przejść w stan hibernacji</translation>
    </message>
    <message>
        <source>hibernation is turned off on this computer</source>
        <translation>hibernacja jest wyłączona na tym komputerze</translation>
    </message>
</context>
<context>
    <name>morvane::CommandBar</name>
    <message>
        <source>Add a Task</source>
        <translation>Dodaj zadanie</translation>
    </message>
    <message>
        <source>Add a new task</source>
        <translation>Dodaj nowe zadanie</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Usuń</translation>
    </message>
    <message>
        <source>Delete selected task</source>
        <translation>Usuń zaznaczone zadanie</translation>
    </message>
    <message>
        <source>Remove All</source>
        <translation>Usuń wszystko</translation>
    </message>
    <message>
        <source>Remove all tasks in the list</source>
        <translation>Usuń wszystkie zadania z listy</translation>
    </message>
    <message>
        <source>Save Tasks</source>
        <translation>Zapisz zadania</translation>
    </message>
    <message>
        <source>Save the task list to a file</source>
        <translation>Zapisz listę zadań do pliku</translation>
    </message>
    <message>
        <source>Load Tasks</source>
        <translation>Wczytaj zadania</translation>
    </message>
    <message>
        <source>Load the task list from a file</source>
        <translation>Wczytaj listę zadań z pliku</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Ustawienia</translation>
    </message>
    <message>
        <source>Set the action after finish all tasks</source>
        <translation>Ustaw czynność po wykonaniu wszystkich zadań</translation>
    </message>
    <message>
        <source>How to Use</source>
        <translation>Jak używać</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Zakończ</translation>
    </message>
    <message>
        <source>Quit the Morvane program</source>
        <translation>Zakończ program Morvane</translation>
    </message>
</context>
<context>
    <name>morvane::HistoryWindow</name>
    <message>
        <source>History</source>
        <translation>Historia</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Czas</translation>
    </message>
    <message>
        <source>What</source>
        <translation>Czynność</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Wynik</translation>
    </message>
    <message>
        <source>Close %1</source>
        <translation>Zamknij %1</translation>
    </message>
    <message>
        <source>Run %1</source>
        <translation>Uruchom %1</translation>
    </message>
    <message numerus="yes">
        <source>closed %n process(es)</source>
        <translation>
            <numerusform>zamknięto %n proces</numerusform>
            <numerusform>zamknięto %n procesy</numerusform>
            <numerusform>zamknięto %n procesów</numerusform>
        </translation>
    </message>
    <message>
        <source>nothing to close</source>
        <translation>nic do zamknięcia</translation>
    </message>
    <message>
        <source>started</source>
        <translation>uruchomiono</translation>
    </message>
    <message>
        <source>could not start: %1</source>
        <translation>nie udało się uruchomić: %1</translation>
    </message>
    <message>
        <source>request sent</source>
        <translation>wysłano żądanie</translation>
    </message>
    <message>
        <source>refused: %1</source>
        <translation>odmowa: %1</translation>
    </message>
    <message>
        <source>cancelled in the warning</source>
        <translation>anulowano w ostrzeżeniu</translation>
    </message>
    <message>
        <source>put off by 10 minutes</source>
        <translation>odłożono o 10 minut</translation>
    </message>
    <message>
        <source>Save the settings</source>
        <translation>Zapis ustawień</translation>
    </message>
    <message>
        <source>Save the tasks</source>
        <translation>Zapis zadań</translation>
    </message>
    <message>
        <source>no answer yet: it may still happen</source>
        <translation>jeszcze bez odpowiedzi: może jeszcze nastąpić</translation>
    </message>
    <message>
        <source>carried out late</source>
        <translation>wykonano z opóźnieniem</translation>
    </message>
    <message>
        <source>could not be written: %1</source>
        <translation>nie udało się zapisać: %1</translation>
    </message>
    <message>
        <source>Add %1</source>
        <translation>Dodanie: %1</translation>
    </message>
    <message>
        <source>Load Tasks from %1</source>
        <translation>Wczytanie zadań z %1</translation>
    </message>
    <message>
        <source>added from the command line</source>
        <translation>dodane z wiersza poleceń</translation>
    </message>
    <message>
        <source>added in the task editor</source>
        <translation>dodane w edytorze zadań</translation>
    </message>
    <message numerus="yes">
        <source>%n task(s) added from the file</source>
        <translation>
            <numerusform>dodano %n zadanie z pliku</numerusform>
            <numerusform>dodano %n zadania z pliku</numerusform>
            <numerusform>dodano %n zadań z pliku</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>asked %n process(es)</source>
        <translation>
            <numerusform>poproszono %n proces</numerusform>
            <numerusform>poproszono %n procesy</numerusform>
            <numerusform>poproszono %n procesów</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n closed</source>
        <translation>
            <numerusform>%n zamknięty</numerusform>
            <numerusform>%n zamknięte</numerusform>
            <numerusform>%n zamkniętych</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n forced after %1 s</source>
        <translation>
            <numerusform>%n wymuszony po %1 s</numerusform>
            <numerusform>%n wymuszone po %1 s</numerusform>
            <numerusform>%n wymuszonych po %1 s</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n had no window</source>
        <translation>
            <numerusform>%n bez okna</numerusform>
            <numerusform>%n bez okna</numerusform>
            <numerusform>%n bez okna</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n left running: the task was changed or removed</source>
        <translation>
            <numerusform>%n pozostawiony: zadanie zmieniono lub usunięto</numerusform>
            <numerusform>%n pozostawione: zadanie zmieniono lub usunięto</numerusform>
            <numerusform>%n pozostawionych: zadanie zmieniono lub usunięto</numerusform>
        </translation>
    </message>
    <message>
        <source>not closed: the program runs with administrator rights</source>
        <translation>nie zamknięto: program działa z uprawnieniami administratora</translation>
    </message>
    <message>
        <source>not closed: it belongs to another user&apos;s session</source>
        <translation>nie zamknięto: należy do sesji innego użytkownika</translation>
    </message>
</context>
<context>
    <name>morvane::LastMinuteScreen</name>
    <message>
        <source>Morvane: last minute</source>
        <translation>Morvane: ostatnia minuta</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Do it now</source>
        <translation>Wykonaj teraz</translation>
    </message>
    <message>
        <source>Esc or Enter cancels.</source>
        <translation>Esc lub Enter anuluje.</translation>
    </message>
</context>
<context>
    <name>morvane::MainMenus</name>
    <message>
        <source>Edit</source>
        <translation>Edytuj</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historia</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Zakończ</translation>
    </message>
    <message>
        <source>Auto Start on Windows Booting</source>
        <translation>Uruchamiaj automatycznie przy starcie Windows</translation>
    </message>
    <message>
        <source>Auto Load the Task List</source>
        <translation>Wczytuj automatycznie listę zadań</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Angielski (English)</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Francuski (Français)</translation>
    </message>
    <message>
        <source>Polish</source>
        <translation>Polski</translation>
    </message>
    <message>
        <source>Auto Start at Logon</source>
        <translation>Uruchamiaj automatycznie po zalogowaniu</translation>
    </message>
</context>
<context>
    <name>morvane::MainWindow</name>
    <message numerus="yes">
        <source>%n line(s) of %1 are not tasks and were skipped.</source>
        <translation>
            <numerusform>%n wiersz pliku %1 nie jest zadaniem i został pominięty.</numerusform>
            <numerusform>%n wiersze pliku %1 nie są zadaniami i zostały pominięte.</numerusform>
            <numerusform>%n wierszy pliku %1 nie jest zadaniami i zostało pominiętych.</numerusform>
        </translation>
    </message>
    <message>
        <source>Morvane tutorial</source>
        <translation>Samouczek programu Morvane</translation>
    </message>
    <message>
        <source>Morvane Task File</source>
        <translation>Plik zadań Morvane</translation>
    </message>
    <message>
        <source>The task list could not be saved to %1.

%2</source>
        <translation>Nie udało się zapisać listy zadań w %1.

%2</translation>
    </message>
    <message>
        <source>Morvane %1: closes programs, starts programs and turns off the computer on your schedule. Copyright %2</source>
        <translation>Morvane %1: zamyka programy, uruchamia programy i wyłącza komputer według Twojego harmonogramu. Copyright %2</translation>
    </message>
    <message>
        <source>Task List</source>
        <translation>Lista zadań</translation>
    </message>
    <message>
        <source>The scheduled tasks. Delete removes the selected task.</source>
        <translation>Zaplanowane zadania. Klawisz Delete usuwa zaznaczone zadanie.</translation>
    </message>
    <message>
        <source>How to use Morvane</source>
        <translation>Jak używać programu Morvane</translation>
    </message>
    <message>
        <source>Four steps to your first task. 1: click the Add a Task button to open the Add a Task window. 2: select a running program from the list, or drag the picker icon onto a running program&apos;s window. 3: set the close time: after an interval, at a date and time, or when the mouse rests. 4: click the Add button to add the task to the task list.</source>
        <translation>Cztery kroki do pierwszego zadania. 1: kliknij przycisk Dodaj zadanie, aby otworzyć okno Dodaj zadanie. 2: wybierz uruchomiony program z listy albo przeciągnij ikonę celownika na okno uruchomionego programu. 3: ustaw czas zamknięcia: po upływie czasu, o określonej dacie i godzinie albo gdy mysz pozostaje w bezruchu. 4: kliknij przycisk Dodaj, aby dodać zadanie do listy zadań.</translation>
    </message>
</context>
<context>
    <name>morvane::PreferenceActions</name>
    <message>
        <source>Warn before acting</source>
        <translation>Ostrzegaj przed wykonaniem zadania</translation>
    </message>
    <message>
        <source>Warning lead time...</source>
        <translation>Czas ostrzeżenia...</translation>
    </message>
    <message>
        <source>Notify before power actions</source>
        <translation>Powiadamiaj przed wyłączeniem, restartem itp.</translation>
    </message>
    <message>
        <source>Notify when a task fails</source>
        <translation>Powiadamiaj o nieudanych zadaniach</translation>
    </message>
    <message>
        <source>Keep running in the tray when the window is closed</source>
        <translation>Działaj w zasobniku systemowym po zamknięciu okna</translation>
    </message>
    <message>
        <source>Warning lead time</source>
        <translation>Czas ostrzeżenia</translation>
    </message>
    <message>
        <source>Seconds the warning waits before acting (%1 to %2):</source>
        <translation>Ile sekund ostrzeżenie czeka przed wykonaniem (od %1 do %2):</translation>
    </message>
    <message>
        <source>Sound with the warning</source>
        <translation>Dźwięk z ostrzeżeniem</translation>
    </message>
    <message>
        <source>Full-screen last minute before power actions</source>
        <translation>Ostatnia minuta na pełnym ekranie przed akcją zasilania</translation>
    </message>
    <message>
        <source>Close programs gently by default</source>
        <translation>Domyślnie zamykaj programy łagodnie</translation>
    </message>
    <message>
        <source>This desktop has no system tray: closing the window ends Morvane.</source>
        <translation>Ten pulpit nie ma zasobnika systemowego: zamknięcie okna zakończy Morvane.</translation>
    </message>
</context>
<context>
    <name>morvane::QuitFlow</name>
    <message>
        <source>Exit</source>
        <translation>Zakończ</translation>
    </message>
    <message>
        <source>Are you sure to quit?</source>
        <translation>Czy na pewno zakończyć?</translation>
    </message>
    <message>
        <source>The task list is not kept: its tasks will not come back when Morvane starts again.</source>
        <translation>Lista zadań nie jest zachowywana: jej zadania nie wrócą przy następnym uruchomieniu Morvane.</translation>
    </message>
    <message>
        <source>Keeping them turns on Auto Load the Task List.</source>
        <translation>Zachowanie ich włączy „Wczytuj automatycznie listę zadań”.</translation>
    </message>
    <message>
        <source>Keep Them and Quit</source>
        <translation>Zachowaj je i zakończ</translation>
    </message>
    <message>
        <source>Quit Anyway</source>
        <translation>Zakończ mimo to</translation>
    </message>
    <message>
        <source>Stay</source>
        <translation>Zostań</translation>
    </message>
</context>
<context>
    <name>morvane::TaskCells</name>
    <message>
        <source>Close at the set time</source>
        <translation>Zamknij o ustalonej godzinie</translation>
    </message>
    <message>
        <source>Close in %1</source>
        <translation>Zamknij za %1</translation>
    </message>
    <message>
        <source>Close after %1 without mouse movement</source>
        <translation>Zamknij po %1 bez ruchu myszy</translation>
    </message>
    <message>
        <source>Close after %1 without input</source>
        <translation>Zamknij po %1 bez żadnej aktywności</translation>
    </message>
    <message>
        <source>Close when %1 exits</source>
        <translation>Zamknij, gdy %1 się zakończy</translation>
    </message>
    <message>
        <source>Close when every %1 has exited</source>
        <translation>Zamknij, gdy wszystkie %1 się zakończą</translation>
    </message>
    <message>
        <source>Close when the network is quiet</source>
        <translation>Zamknij, gdy sieć ucichnie</translation>
    </message>
    <message>
        <source>Close when the processor is quiet</source>
        <translation>Zamknij, gdy procesor odpocznie</translation>
    </message>
    <message>
        <source>Run at the set time</source>
        <translation>Uruchom o ustalonej godzinie</translation>
    </message>
    <message>
        <source>Run in %1</source>
        <translation>Uruchom za %1</translation>
    </message>
    <message>
        <source>Run after %1 without mouse movement</source>
        <translation>Uruchom po %1 bez ruchu myszy</translation>
    </message>
    <message>
        <source>Run after %1 without input</source>
        <translation>Uruchom po %1 bez żadnej aktywności</translation>
    </message>
    <message>
        <source>Run when %1 exits</source>
        <translation>Uruchom, gdy %1 się zakończy</translation>
    </message>
    <message>
        <source>Run when every %1 has exited</source>
        <translation>Uruchom, gdy wszystkie %1 się zakończą</translation>
    </message>
    <message>
        <source>Run when the network is quiet</source>
        <translation>Uruchom, gdy sieć ucichnie</translation>
    </message>
    <message>
        <source>Run when the processor is quiet</source>
        <translation>Uruchom, gdy procesor odpocznie</translation>
    </message>
    <message>
        <source>At the set time</source>
        <translation>O ustalonej godzinie</translation>
    </message>
    <message>
        <source>In %1</source>
        <translation>Za %1</translation>
    </message>
    <message>
        <source>After %1 without mouse movement</source>
        <translation>Po %1 bez ruchu myszy</translation>
    </message>
    <message>
        <source>After %1 without input</source>
        <translation>Po %1 bez żadnej aktywności</translation>
    </message>
    <message>
        <source>When %1 exits</source>
        <translation>Gdy %1 się zakończy</translation>
    </message>
    <message>
        <source>When every %1 has exited</source>
        <translation>Gdy wszystkie %1 się zakończą</translation>
    </message>
    <message>
        <source>When the network is quiet</source>
        <translation>Gdy sieć ucichnie</translation>
    </message>
    <message>
        <source>When the processor is quiet</source>
        <translation>Gdy procesor odpocznie</translation>
    </message>
    <message>
        <source>%1, asking first (%2 s)</source>
        <translation>%1, najpierw z prośbą (%2 s)</translation>
    </message>
    <message>
        <source>once</source>
        <translation>jednorazowo</translation>
    </message>
    <message>
        <source>every month</source>
        <translation>co miesiąc</translation>
    </message>
    <message>
        <source>every day</source>
        <translation>codziennie</translation>
    </message>
    <message>
        <source>every hour</source>
        <translation>co godzinę</translation>
    </message>
    <message>
        <source>every minute</source>
        <translation>co minutę</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>nic</translation>
    </message>
    <message>
        <source>quit Morvane</source>
        <translation>zakończ Morvane</translation>
    </message>
    <message>
        <source>%1, then quit Morvane</source>
        <translation>%1, potem zakończ Morvane</translation>
    </message>
</context>
<context>
    <name>morvane::TaskEditor</name>
    <message>
        <source>Time Already Passed</source>
        <translation>Czas już minął</translation>
    </message>
    <message>
        <source>The chosen time, %1, is not in the future, so the task will run as soon as it is added.
Add it anyway?</source>
        <translation>Wybrany czas, %1, nie leży w przyszłości, więc zadanie zostanie wykonane zaraz po dodaniu.
Czy mimo to je dodać?</translation>
    </message>
    <message>
        <source>Pick a Window</source>
        <translation>Wskaż okno</translation>
    </message>
    <message>
        <source>No window of another program was under the pointer. Point at the program&apos;s window within three seconds of pressing the button.</source>
        <translation>Pod wskaźnikiem nie było okna innego programu. Wskaż okno programu w ciągu trzech sekund od naciśnięcia przycisku.</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Puste</translation>
    </message>
    <message>
        <source>The command line cannot be empty.</source>
        <translation>Wiersz polecenia nie może być pusty.</translation>
    </message>
    <message>
        <source>The command line cannot contain a tab or a line break: a task keeps its texts separated by tabs. Please remove them.</source>
        <translation>Wiersz polecenia nie może zawierać tabulatora ani podziału wiersza: zadanie oddziela swoje teksty tabulatorami. Usuń je.</translation>
    </message>
    <message>
        <source>The date %1 does not exist. Please choose a day the month has.</source>
        <translation>Data %1 nie istnieje. Wybierz dzień, który występuje w tym miesiącu.</translation>
    </message>
    <message>
        <source>Programs</source>
        <translation>Programy</translation>
    </message>
    <message>
        <source>The task was run or removed while it was being edited, so it was not saved.</source>
        <translation>Zadanie zostało wykonane lub usunięte w trakcie edycji, więc nie zostało zapisane.</translation>
    </message>
    <message>
        <source>Edit a Task</source>
        <translation>Edytuj zadanie</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Zapisz</translation>
    </message>
    <message>
        <source>Choose the program to wait for: pick its window or choose it in the list.</source>
        <translation>Wybierz program, na który zadanie ma czekać: wskaż jego okno lub wybierz go z listy.</translation>
    </message>
    <message>
        <source>%1. Choose a running program to wait for.</source>
        <translation>%1. Wybierz uruchomiony program, na który zadanie ma czekać.</translation>
    </message>
    <message>
        <source>Waits Behind a Repeating Task</source>
        <translation>Czeka za powtarzanym zadaniem</translation>
    </message>
    <message>
        <source>This task&apos;s action waits until every other task has finished, but a task in the list repeats and never finishes, so the action will not happen while that task stays.
Add it anyway?</source>
        <translation>Akcja tego zadania czeka, aż wszystkie inne zadania się zakończą, ale jedno zadanie na liście się powtarza i nigdy nie kończy, więc akcja nie nastąpi, dopóki to zadanie pozostaje.
Dodać je mimo to?</translation>
    </message>
    <message>
        <source>Program Not Found</source>
        <translation>Nie znaleziono programu</translation>
    </message>
    <message>
        <source>The program of this command line cannot be found (%1).
Add it anyway?</source>
        <translation>Nie można znaleźć programu z tego wiersza poleceń (%1).
Dodać je mimo to?</translation>
    </message>
</context>
<context>
    <name>morvane::TaskEditorForm</name>
    <message>
        <source>Add a Task</source>
        <translation>Dodaj zadanie</translation>
    </message>
    <message>
        <source>Pick the window under the pointer in 3 s</source>
        <translation>Wskaż okno pod wskaźnikiem za 3 s</translation>
    </message>
    <message>
        <source>Press, then point at a program&apos;s window within three seconds: the window under the pointer is picked.</source>
        <translation>Naciśnij, a potem w ciągu trzech sekund wskaż okno programu: zostanie wybrane okno pod wskaźnikiem.</translation>
    </message>
    <message>
        <source>Target picker</source>
        <translation>Celownik</translation>
    </message>
    <message>
        <source>Drag it onto a program&apos;s window to pick that program, or use the button that picks the window under the pointer in 3 seconds.</source>
        <translation>Przeciągnij go na okno programu, aby wybrać ten program, albo użyj przycisku, który po 3 sekundach wybiera okno pod wskaźnikiem.</translation>
    </message>
    <message>
        <source>Picture of the chosen program</source>
        <translation>Ikona wybranego programu</translation>
    </message>
    <message>
        <source>Refresh The List</source>
        <translation>Odśwież listę</translation>
    </message>
    <message>
        <source>Close the Selected Program Now</source>
        <translation>Zamknij teraz zaznaczony program</translation>
    </message>
    <message>
        <source>Running programs</source>
        <translation>Uruchomione programy</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>Ikona</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Ścieżka</translation>
    </message>
    <message>
        <source>Auto Type:</source>
        <translation>Rodzaj zadania:</translation>
    </message>
    <message>
        <source>Auto Close Task - Close a program at a specific time</source>
        <translation>Zadanie zamknięcia - Zamknij program w określonym czasie</translation>
    </message>
    <message>
        <source>Auto Run Task - Run a Program at a specific time</source>
        <translation>Zadanie uruchomienia - Uruchom program w określonym czasie</translation>
    </message>
    <message>
        <source>Command line:</source>
        <translation>Wiersz polecenia:</translation>
    </message>
    <message>
        <source>Select a Program</source>
        <translation>Wybierz program</translation>
    </message>
    <message>
        <source>Loop:</source>
        <translation>Powtarzanie:</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Brak</translation>
    </message>
    <message>
        <source>Every Month</source>
        <translation>Co miesiąc</translation>
    </message>
    <message>
        <source>Every Day</source>
        <translation>Codziennie</translation>
    </message>
    <message>
        <source>Every Hour</source>
        <translation>Co godzinę</translation>
    </message>
    <message>
        <source>Every Minute</source>
        <translation>Co minutę</translation>
    </message>
    <message>
        <source>1(Jan)</source>
        <translation>1(sty)</translation>
    </message>
    <message>
        <source>2(Feb)</source>
        <translation>2(lut)</translation>
    </message>
    <message>
        <source>3(Mar)</source>
        <translation>3(mar)</translation>
    </message>
    <message>
        <source>4(Apr)</source>
        <translation>4(kwi)</translation>
    </message>
    <message>
        <source>5(May)</source>
        <translation>5(maj)</translation>
    </message>
    <message>
        <source>6(Jun)</source>
        <translation>6(cze)</translation>
    </message>
    <message>
        <source>7(Jul)</source>
        <translation>7(lip)</translation>
    </message>
    <message>
        <source>8(Aug)</source>
        <translation>8(sie)</translation>
    </message>
    <message>
        <source>9(Sep)</source>
        <translation>9(wrz)</translation>
    </message>
    <message>
        <source>10(Oct)</source>
        <translation>10(paź)</translation>
    </message>
    <message>
        <source>11(Nov)</source>
        <translation>11(lis)</translation>
    </message>
    <message>
        <source>12(Dec)</source>
        <translation>12(gru)</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Dni</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Godziny</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>Minuty</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Sekundy</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Rok</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Miesiąc</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Dzień</translation>
    </message>
    <message>
        <source>Hour</source>
        <translation>Godzina</translation>
    </message>
    <message>
        <source>Minute</source>
        <translation>Minuta</translation>
    </message>
    <message>
        <source>Second</source>
        <translation>Sekunda</translation>
    </message>
    <message>
        <source>Close gently, force after</source>
        <translation>Zamknij łagodnie, wymuś po</translation>
    </message>
    <message>
        <source>Ask the program to close first, as its close button would, and end it by force only if it still runs after these seconds.</source>
        <translation>Najpierw poproś program o zamknięcie, jak jego przycisk zamykania, i zakończ go siłą tylko wtedy, gdy nadal działa po tylu sekundach.</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Seconds before the program is forced to close</source>
        <translation>Sekundy do wymuszonego zamknięcia programu</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Gdy</translation>
    </message>
    <message>
        <source>a program exits</source>
        <translation>program się zakończy</translation>
    </message>
    <message>
        <source>the network goes quiet</source>
        <translation>sieć ucichnie</translation>
    </message>
    <message>
        <source>the processor goes quiet</source>
        <translation>procesor ucichnie</translation>
    </message>
    <message>
        <source>What the task waits for</source>
        <translation>Na co czeka zadanie</translation>
    </message>
    <message>
        <source>Program to wait for</source>
        <translation>Program, na który czekać</translation>
    </message>
    <message>
        <source>The program whose end the task waits for</source>
        <translation>Program, na którego zakończenie czeka zadanie</translation>
    </message>
    <message>
        <source>for</source>
        <translation>przez</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <source>Minutes it must stay quiet</source>
        <translation>Minuty ciszy</translation>
    </message>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <source>Processor use below, in percent</source>
        <translation>Użycie procesora poniżej, w procentach</translation>
    </message>
    <message>
        <source> KiB/s</source>
        <translation> KiB/s</translation>
    </message>
    <message>
        <source>Network traffic below, in KiB/s</source>
        <translation>Ruch sieciowy poniżej, w KiB/s</translation>
    </message>
    <message>
        <source>every process</source>
        <translation>wszystkie procesy</translation>
    </message>
    <message>
        <source>process %1</source>
        <translation>proces %1</translation>
    </message>
    <message>
        <source>Pick the program to wait for above</source>
        <translation>Wybierz powyżej program, na który czekać</translation>
    </message>
    <message>
        <source>Waits for: %1 (%2)</source>
        <translation>Czeka na: %1 (%2)</translation>
    </message>
    <message>
        <source>Picking the window under the pointer in %1 s</source>
        <translation>Wybór okna pod wskaźnikiem za %1 s</translation>
    </message>
    <message>
        <source>After No Input</source>
        <translation>Po braku aktywności</translation>
    </message>
    <message>
        <source>After No Mouse Moving</source>
        <translation>Po braku ruchu myszy</translation>
    </message>
</context>
<context>
    <name>morvane::TaskTableModel</name>
    <message>
        <source>%1

Last run failed: %2</source>
        <translation>%1

Ostatnie uruchomienie nie powiodło się: %2</translation>
    </message>
    <message>
        <source>Waits: activity cannot be seen here</source>
        <translation>Czeka: tu nie widać aktywności</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>Ikona</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Ścieżka</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Close Time</source>
        <translation>Czas zamknięcia</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>Powtarzanie</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Rodzaj</translation>
    </message>
    <message>
        <source>After the Task Finished</source>
        <translation>Po zakończeniu zadania</translation>
    </message>
    <message>
        <source>%1 (may not happen)</source>
        <translation>%1 (może nie nastąpić)</translation>
    </message>
    <message>
        <source>%1 (waits behind a repeating task)</source>
        <translation>%1 (czeka za powtarzanym zadaniem)</translation>
    </message>
    <message>
        <source>Its action waits until every other task has finished, and a task that repeats never finishes: remove the repeating task or the action will not happen.</source>
        <translation>Jego akcja czeka, aż wszystkie inne zadania się zakończą, a powtarzane zadanie nigdy się nie kończy: usuń powtarzane zadanie, inaczej akcja nie nastąpi.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>brak</translation>
    </message>
</context>
<context>
    <name>morvane::TrayIcon</name>
    <message>
        <source>Show Morvane</source>
        <translation>Pokaż Morvane</translation>
    </message>
</context>
<context>
    <name>morvane::TutorialPages</name>
    <message>
        <source>Morvane tutorial</source>
        <translation>Samouczek programu Morvane</translation>
    </message>
    <message>
        <source>How to Use</source>
        <translation>Jak używać</translation>
    </message>
    <message>
        <source>No web browser could open the tutorial. It is here:

%1</source>
        <translation>Żadna przeglądarka internetowa nie mogła otworzyć samouczka. Znajduje się tutaj:

%1</translation>
    </message>
    <message>
        <source>The tutorial is missing. It belongs here:

%1</source>
        <translation>Brak samouczka. Powinien się znajdować tutaj:

%1</translation>
    </message>
</context>
<context>
    <name>morvane::WarningNotice</name>
    <message>
        <source>Morvane: about to act</source>
        <translation>Morvane: za chwilę wykona zadanie</translation>
    </message>
    <message>
        <source>Do it now</source>
        <translation>Wykonaj teraz</translation>
    </message>
    <message>
        <source>Snooze 10 min</source>
        <translation>Odłóż o 10 min</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Morvane will close %1, then %2.</source>
        <translation>Morvane zamknie %1, a potem %2.</translation>
    </message>
    <message>
        <source>Morvane will close %1.</source>
        <translation>Morvane zamknie %1.</translation>
    </message>
    <message>
        <source>Morvane will %1.</source>
        <translation>Morvane %1.</translation>
    </message>
    <message>
        <source>All tasks have finished. %1</source>
        <translation>Wszystkie zadania zostały wykonane. %1</translation>
    </message>
    <message>
        <source>Morvane then quits.</source>
        <translation>Następnie Morvane zakończy działanie.</translation>
    </message>
    <message>
        <source>In %1</source>
        <translation>Za %1</translation>
    </message>
</context>
<context>
    <name>morvane::WindowPickDrag</name>
    <message>
        <source>Picking a window is not available here. Choose the program from the list of running programs instead.</source>
        <translation>Wskazywanie okna nie jest tu dostępne. Wybierz program z listy uruchomionych programów.</translation>
    </message>
</context>
</TS>
