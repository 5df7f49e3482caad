<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>BatchWarnings</name>
    <message numerus="yes">
        <source>%n file(s) outside %1: Play Days %2. Set the start date on the Reloads page.</source>
        <translation>
            <numerusform>%n файл датирован вне турнира (%1): его Play Days = %2. Укажите дату начала турнира на странице Reloads.</numerusform>
            <numerusform>%n файла датированы вне турнира (%1): их Play Days = %2. Укажите дату начала турнира на странице Reloads.</numerusform>
            <numerusform>%n файлов датированы вне турнира (%1): их Play Days = %2. Укажите дату начала турнира на странице Reloads.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The Ladder maxima come from %1 (%2 turns, map %3, end turn %4); %n file(s) played otherwise. Load each kind of game as a batch of its own, or set the maxima on the Ladder page.</source>
        <translation>
            <numerusform>Максимумы Ладдера взяты из %1 (скорость на %2 ходов, карта %3, последний ход %4); %n файл сыгран с другими параметрами. Загружайте игры каждого вида отдельным набором или задайте максимумы на странице Ladder.</numerusform>
            <numerusform>Максимумы Ладдера взяты из %1 (скорость на %2 ходов, карта %3, последний ход %4); %n файла сыграны с другими параметрами. Загружайте игры каждого вида отдельным набором или задайте максимумы на странице Ladder.</numerusform>
            <numerusform>Максимумы Ладдера взяты из %1 (скорость на %2 ходов, карта %3, последний ход %4); %n файлов сыграны с другими параметрами. Загружайте игры каждого вида отдельным набором или задайте максимумы на странице Ladder.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) beyond the %1th left out. Load them as another batch.</source>
        <translation>
            <numerusform>%n файл сверх %1 не загружен. Загрузите его отдельным набором.</numerusform>
            <numerusform>%n файла сверх %1 не загружены. Загрузите их отдельным набором.</numerusform>
            <numerusform>%n файлов сверх %1 не загружены. Загрузите их отдельным набором.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> and %n more</source>
        <translation>
            <numerusform> и ещё %n</numerusform>
            <numerusform> и ещё %n</numerusform>
            <numerusform> и ещё %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) skipped as no saves of the game: %1. Leave them out of the batch.</source>
        <translation>
            <numerusform>%n файл пропущен — это не сохранение игры: %1. Не включайте его в набор.</numerusform>
            <numerusform>%n файла пропущены — это не сохранения игры: %1. Не включайте их в набор.</numerusform>
            <numerusform>%n файлов пропущены — это не сохранения игры: %1. Не включайте их в набор.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) skipped as damaged: %1. Ask for new copies and load them again.</source>
        <translation>
            <numerusform>%n файл пропущен как повреждённый: %1. Попросите новую копию и загрузите её снова.</numerusform>
            <numerusform>%n файла пропущены как повреждённые: %1. Попросите новые копии и загрузите их снова.</numerusform>
            <numerusform>%n файлов пропущены как повреждённые: %1. Попросите новые копии и загрузите их снова.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Explanations</name>
    <message>
        <source>The audit cannot run: %1.</source>
        <translation>Проверка перезагрузок невозможна: %1.</translation>
    </message>
    <message>
        <source>Reloads: %1 - %2 = %3</source>
        <translation>Перезагрузки: %1 − %2 = %3</translation>
    </message>
    <message numerus="yes">
        <source>%n session(s)</source>
        <translation>
            <numerusform>%n сессия</numerusform>
            <numerusform>%n сессии</numerusform>
            <numerusform>%n сессий</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n presession(s)</source>
        <translation>
            <numerusform>%n пресессия</numerusform>
            <numerusform>%n пресессии</numerusform>
            <numerusform>%n пресессий</numerusform>
        </translation>
    </message>
    <message>
        <source> (never below 0)</source>
        <translation> (не меньше 0)</translation>
    </message>
    <message>
        <source>
Play Days: %1</source>
        <translation>
Дни игры (Play Days): %1</translation>
    </message>
    <message>
        <source> (the file is dated outside the tournament&apos;s %1 days from %2)</source>
        <translation> (файл датирован вне %1 дней турнира, начиная с %2)</translation>
    </message>
    <message>
        <source>
Allowance by days: %1 x %2 = %3</source>
        <translation>
Допуск по дням: %1 × %2 = %3</translation>
    </message>
    <message numerus="yes">
        <source>%n day(s)</source>
        <translation>
            <numerusform>%n день</numerusform>
            <numerusform>%n дня</numerusform>
            <numerusform>%n дней</numerusform>
        </translation>
    </message>
    <message>
        <source>
Allowance by time: %1 / %2 min = %3</source>
        <translation>
Допуск по времени: %1 / %2 мин = %3</translation>
    </message>
    <message>
        <source>
Max Reloads: no play time, so by days alone: %1</source>
        <translation>
Max Reloads: времени игры нет, поэтому только по дням: %1</translation>
    </message>
    <message>
        <source>
Max Reloads: the smaller is 0, counted as 1</source>
        <translation>
Max Reloads: меньший допуск равен 0, считается 1</translation>
    </message>
    <message>
        <source>
Max Reloads: the smaller, %1</source>
        <translation>
Max Reloads: меньший из допусков, %1</translation>
    </message>
    <message>
        <source>, rounded %1</source>
        <translation>, после округления %1</translation>
    </message>
    <message>
        <source>
Fair below %1 reloads, Average below %2, Cheat from %2</source>
        <translation>
Fair (честно) — меньше %1 перезагрузок, Average (на грани) — меньше %2, Cheat (нечестно) — от %2</translation>
    </message>
    <message>
        <source>
No session recorded: %1 whatever the allowance</source>
        <translation>
Ни одной сессии не записано: %1 при любом допуске</translation>
    </message>
    <message>
        <source>
No reload: %1 whatever the allowance</source>
        <translation>
Ни одной перезагрузки: %1 при любом допуске</translation>
    </message>
    <message numerus="yes">
        <source>%n reload(s)</source>
        <translation>
            <numerusform>%n перезагрузка</numerusform>
            <numerusform>%n перезагрузки</numerusform>
            <numerusform>%n перезагрузок</numerusform>
        </translation>
    </message>
    <message>
        <source>The Ladder score cannot be computed: %1.</source>
        <translation>Очки Ладдера не вычисляются: %1.</translation>
    </message>
    <message>
        <source>%1, no target</source>
        <translation>%1, цель не задана</translation>
    </message>
    <message>
        <source> (maximum %1 at turn %2 of %3)
</source>
        <translation> (максимум %1 на ходу %2 из %3)
</translation>
    </message>
    <message>
        <source>Result: %1
</source>
        <translation>Сумма (Result): %1
</translation>
    </message>
    <message>
        <source>Bonus: %1 against %2, %3% of %4 = %5
</source>
        <translation>Бонус: %1 против %2, %3% от %4 = %5
</translation>
    </message>
    <message>
        <source>Final: %1</source>
        <translation>Итог (Final): %1</translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <source>Score</source>
        <translation>Счёт</translation>
    </message>
    <message>
        <source>Economy</source>
        <translation>Экономика</translation>
    </message>
    <message>
        <source>Industry</source>
        <translation>Производство</translation>
    </message>
    <message>
        <source>Agriculture</source>
        <translation>Сельское хозяйство</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Мощь</translation>
    </message>
    <message>
        <source>Culture</source>
        <translation>Культура</translation>
    </message>
    <message>
        <source>Science</source>
        <translation>Наука</translation>
    </message>
</context>
<context>
    <name>HtmlPage</name>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Tournament start date</source>
        <translation>Дата начала турнира</translation>
    </message>
    <message>
        <source>Maximum sessions per day</source>
        <translation>Макс. число сессий в день</translation>
    </message>
    <message>
        <source>Minimum session time (minutes)</source>
        <translation>Мин. время сессии (минут)</translation>
    </message>
    <message>
        <source>Presessions</source>
        <translation>Пресессии</translation>
    </message>
    <message>
        <source>Base level</source>
        <translation>Базовый уровень</translation>
    </message>
    <message>
        <source>none</source>
        <translation>нет</translation>
    </message>
    <message>
        <source>Level bonus (%)</source>
        <translation>Бонус за уровень (%)</translation>
    </message>
    <message>
        <source>Maximum reloads</source>
        <translation>Макс. число перезагрузок</translation>
    </message>
    <message>
        <source>Ladder</source>
        <translation>Ладдер</translation>
    </message>
    <message>
        <source>Factor</source>
        <translation>Коэффициент</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Максимум</translation>
    </message>
    <message>
        <source>Cheat</source>
        <translation>Нечестно</translation>
    </message>
    <message>
        <source>Average</source>
        <translation>На грани</translation>
    </message>
    <message>
        <source>Fair</source>
        <translation>Честно</translation>
    </message>
    <message>
        <source>Standings</source>
        <translation>Турнирная таблица</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Место</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Игрок</translation>
    </message>
    <message>
        <source>Leader, civilization</source>
        <translation>Лидер, цивилизация</translation>
    </message>
    <message>
        <source>Turn</source>
        <translation>Ход</translation>
    </message>
    <message>
        <source>Final</source>
        <translation>Итог</translation>
    </message>
    <message>
        <source>Of the best</source>
        <translation>От лучшего</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>Вердикт</translation>
    </message>
    <message>
        <source>History</source>
        <translation>История</translation>
    </message>
    <message>
        <source>%1 history</source>
        <translation>%1 по ходам</translation>
    </message>
    <message>
        <source>Tournament standings</source>
        <translation>Итоги турнира</translation>
    </message>
    <message>
        <source>Saves: %1. Written %2.</source>
        <translation>Сохранений: %1. Составлено %2.</translation>
    </message>
    <message>
        <source>Base</source>
        <translation>Основное</translation>
    </message>
    <message>
        <source>Reloads</source>
        <translation>Перезагрузки</translation>
    </message>
    <message>
        <source>Additional</source>
        <translation>Дополнительно</translation>
    </message>
    <message>
        <source>Places by Final, the Ladder score. Of the best: the Final as a percentage of the best one. Verdict: from the reload audit.</source>
        <translation>Места — по итоговым очкам Ладдера («Итог»). «От лучшего» — итог в процентах от лучшего. «Вердикт» — по проверке перезагрузок.</translation>
    </message>
</context>
<context>
    <name>ProgramTexts</name>
    <message>
        <source>en</source>
        <comment>the code of this translation&apos;s language</comment>
        <translation>ru</translation>
    </message>
</context>
<context>
    <name>vsl::BatchBar</name>
    <message>
        <source>Batch state</source>
        <translation>Состояние набора</translation>
    </message>
    <message numerus="yes">
        <source>Loaded %1 of %n file(s): %2</source>
        <translation>
            <numerusform>Загружено %1 из %n файла: %2</numerusform>
            <numerusform>Загружено %1 из %n файлов: %2</numerusform>
            <numerusform>Загружено %1 из %n файлов: %2</numerusform>
        </translation>
    </message>
    <message>
        <source>%1. The standings hold only these files; load the batch again to complete them.</source>
        <translation>%1. В таблицах только эти файлы; загрузите набор заново, чтобы дополнить их.</translation>
    </message>
</context>
<context>
    <name>vsl::TForm1</name>
    <message>
        <source>Unknown error</source>
        <translation>Неизвестная ошибка</translation>
    </message>
    <message>
        <source>Loading %1</source>
        <translation>Загрузка %1</translation>
    </message>
    <message>
        <source>Loading %1 (%2 of %3)</source>
        <translation>Загрузка %1 (%2 из %3)</translation>
    </message>
    <message>
        <source>Save the results</source>
        <translation>сохранить результаты</translation>
    </message>
    <message>
        <source>Saved the results to %1</source>
        <translation>Результаты сохранены в %1</translation>
    </message>
    <message>
        <source> (turns played, the Turn column of the Reloads page)</source>
        <translation> (сыгранные ходы, столбец Turn страницы Reloads)</translation>
    </message>
    <message>
        <source>Sort by %1%2, %3</source>
        <translation>Сортировка по %1%2, %3</translation>
    </message>
    <message>
        <source>ascending</source>
        <translation>по возрастанию</translation>
    </message>
    <message>
        <source>descending</source>
        <translation>по убыванию</translation>
    </message>
    <message>
        <source>file name</source>
        <translation>имени файла</translation>
    </message>
    <message>
        <source>turn</source>
        <translation>ходу</translation>
    </message>
    <message>
        <source>score</source>
        <translation>счёту</translation>
    </message>
    <message>
        <source>final score</source>
        <translation>итоговому счёту</translation>
    </message>
    <message>
        <source>Ladder final score</source>
        <translation>итогу Ладдера</translation>
    </message>
    <message>
        <source>Tournament start date, day</source>
        <translation>Дата начала турнира, день</translation>
    </message>
    <message>
        <source>Tournament start date, month</source>
        <translation>Дата начала турнира, месяц</translation>
    </message>
    <message>
        <source>Tournament start date, year</source>
        <translation>Дата начала турнира, год</translation>
    </message>
    <message>
        <source>History shown</source>
        <translation>Показатель на графике</translation>
    </message>
    <message>
        <source>%1 grid</source>
        <translation>Таблица %1</translation>
    </message>
    <message>
        <source>Sort by %1</source>
        <translation>Сортировка по %1</translation>
    </message>
    <message>
        <source>Skip this file</source>
        <translation>Пропустить этот файл</translation>
    </message>
    <message>
        <source>Skip all damaged files</source>
        <translation>Пропускать все повреждённые</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Остановить</translation>
    </message>
    <message>
        <source>Load a batch of saves (Ctrl+O)</source>
        <translation>Загрузить набор сохранений (Ctrl+O)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Write the four grids to a results file (Ctrl+S)</source>
        <translation>Записать четыре таблицы в файл результатов (Ctrl+S)</translation>
    </message>
    <message>
        <source>locked</source>
        <translation>закрыт</translation>
    </message>
    <message>
        <source>Reset zoom</source>
        <translation>Сбросить масштаб</translation>
    </message>
    <message>
        <source>Show the whole chart again after zooming in</source>
        <translation>Снова показать весь график после увеличения</translation>
    </message>
    <message>
        <source>Turn</source>
        <translation>Ход</translation>
    </message>
    <message>
        <source>Drag a rectangle to zoom in; right-click to zoom out</source>
        <translation>Выделите прямоугольник, чтобы увеличить; правый щелчок — уменьшить</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation>&amp;Открыть…</translation>
    </message>
    <message>
        <source>&amp;Save Results…</source>
        <translation>&amp;Сохранить результаты…</translation>
    </message>
    <message>
        <source>Export as &amp;CSV…</source>
        <translation>Экспорт в &amp;CSV…</translation>
    </message>
    <message>
        <source>Export as &amp;HTML…</source>
        <translation>Экспорт в &amp;HTML…</translation>
    </message>
    <message>
        <source>Save chart as &amp;PNG…</source>
        <translation>Сохранить график в &amp;PNG…</translation>
    </message>
    <message>
        <source>Save chart as S&amp;VG…</source>
        <translation>Сохранить график в S&amp;VG…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>В&amp;ыход</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Правка</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Копировать</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Настройки</translation>
    </message>
    <message>
        <source>&amp;Open tournament settings…</source>
        <translation>&amp;Открыть настройки турнира…</translation>
    </message>
    <message>
        <source>&amp;Save tournament settings…</source>
        <translation>&amp;Сохранить настройки турнира…</translation>
    </message>
    <message>
        <source>&amp;Restore default settings</source>
        <translation>&amp;Восстановить настройки по умолчанию</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>The referee&apos;s &amp;guide</source>
        <translation>&amp;Руководство судьи</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;О программе</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>О программе %1</translation>
    </message>
    <message>
        <source>%1
version %2

Loads the saved games of a tournament round and lists, scores and audits them.</source>
        <translation>%1
версия %2

Загружает сохранения тура турнира, сводит их в таблицы, подсчитывает очки и проверяет перезагрузки.</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Язык</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Как в системе</translation>
    </message>
    <message>
        <source>The language changes at the next start.</source>
        <translation>Язык сменится при следующем запуске.</translation>
    </message>
    <message>
        <source>Wrote %1</source>
        <translation>Записан файл %1</translation>
    </message>
    <message>
        <source>Export the results</source>
        <translation>экспортировать результаты</translation>
    </message>
    <message>
        <source>Export as CSV</source>
        <translation>Экспорт в CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Файлы CSV (*.csv)</translation>
    </message>
    <message>
        <source>Export as HTML</source>
        <translation>Экспорт в HTML</translation>
    </message>
    <message>
        <source>Web pages (*.html)</source>
        <translation>Веб-страницы (*.html)</translation>
    </message>
    <message>
        <source>Open tournament settings</source>
        <translation>Открыть настройки турнира</translation>
    </message>
    <message>
        <source>Tournament settings (*.json);;All files (*)</source>
        <translation>Настройки турнира (*.json);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Save tournament settings</source>
        <translation>Сохранить настройки турнира</translation>
    </message>
    <message>
        <source>Tournament settings (*.json)</source>
        <translation>Настройки турнира (*.json)</translation>
    </message>
    <message>
        <source>Save chart</source>
        <translation>Сохранить график</translation>
    </message>
    <message>
        <source>SVG pictures (*.svg)</source>
        <translation>Рисунки SVG (*.svg)</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <translation>Рисунки PNG (*.png)</translation>
    </message>
    <message>
        <source>Restore the default settings? Every audit and Ladder setting goes back to the value of a new window, and the maxima are no longer fixed.</source>
        <translation>Восстановить настройки по умолчанию? Все настройки проверки перезагрузок и Ладдера вернутся к значениям нового окна, а максимумы перестанут быть закреплёнными.</translation>
    </message>
    <message>
        <source>The referee&apos;s guide</source>
        <translation>Руководство судьи</translation>
    </message>
    <message>
        <source>Base Level</source>
        <translation>Базовый уровень</translation>
    </message>
    <message>
        <source>Remembered settings that were not valid are back to their defaults: %1</source>
        <translation>Запомненные настройки с недопустимыми значениями возвращены к значениям по умолчанию: %1</translation>
    </message>
    <message>
        <source>the tournament settings file</source>
        <translation>настроек турнира</translation>
    </message>
    <message>
        <source>The Ladder maxima of %1 are fixed by %2: every load keeps them. Restore the default settings to let each batch set them again.</source>
        <translation>Максимумы Ладдера (%1) закреплены файлом %2: каждая загрузка их сохраняет. Восстановите настройки по умолчанию, чтобы каждый набор снова задавал их сам.</translation>
    </message>
    <message>
        <source>The settings remembered from the last run differ from the defaults: %1. Restore default settings if this is a new tournament.</source>
        <translation>Настройки, запомненные с прошлого запуска, отличаются от настроек по умолчанию: %1. Если это новый турнир, восстановите настройки по умолчанию.</translation>
    </message>
    <message>
        <source>%1 (day)</source>
        <translation>%1 (день)</translation>
    </message>
    <message>
        <source>%1 (month)</source>
        <translation>%1 (месяц)</translation>
    </message>
    <message>
        <source>%1 (year)</source>
        <translation>%1 (год)</translation>
    </message>
    <message>
        <source>%1 %2 (default %3)</source>
        <translation>%1 %2 (по умолчанию %3)</translation>
    </message>
    <message>
        <source>Base Level %1 (default %2)</source>
        <translation>Базовый уровень %1 (по умолчанию %2)</translation>
    </message>
    <message>
        <source>the load was cancelled</source>
        <translation>загрузка отменена</translation>
    </message>
    <message>
        <source>the load was stopped at a damaged file</source>
        <translation>загрузка остановлена на повреждённом файле</translation>
    </message>
    <message>
        <source>the load ended at an error</source>
        <translation>загрузка прервана ошибкой</translation>
    </message>
    <message>
        <source>The batch is incomplete. %1.

%2 of these files anyway?</source>
        <translation>Набор загружен не полностью. %1.

Всё равно %2 по этим файлам?</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s)</source>
        <translation>
            <numerusform>%n файл</numerusform>
            <numerusform>%n файла</numerusform>
            <numerusform>%n файлов</numerusform>
        </translation>
    </message>
    <message>
        <source>, incomplete</source>
        <translation>, не полностью</translation>
    </message>
    <message>
        <source> (setting &quot;%1&quot;)</source>
        <translation> (настройка «%1»)</translation>
    </message>
</context>
<context>
    <name>vsl::WarningsPanel</name>
    <message>
        <source>Warnings</source>
        <translation>Предупреждения</translation>
    </message>
    <message>
        <source>Restore default settings</source>
        <translation>Восстановить настройки по умолчанию</translation>
    </message>
</context>
</TS>
