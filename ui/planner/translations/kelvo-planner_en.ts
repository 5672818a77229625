<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="es">
<context>
    <name>TColumnExport</name>
    <message>
        <source>Guardar columnas</source>
        <translation>Save columns</translation>
    </message>
    <message>
        <source>Archivos de columnas (*.txt)</source>
        <translation>Column files (*.txt)</translation>
    </message>
    <message>
        <source>Columnas guardadas en %1</source>
        <translation>Columns saved in %1</translation>
    </message>
    <message>
        <source>Exportar a PDF</source>
        <translation>Export to PDF</translation>
    </message>
    <message>
        <source>Documentos PDF (*.pdf)</source>
        <translation>PDF documents (*.pdf)</translation>
    </message>
    <message>
        <source>No se pudo escribir %1.</source>
        <translation>%1 could not be written.</translation>
    </message>
    <message>
        <source>Columnas exportadas a %1</source>
        <translation>Columns exported to %1</translation>
    </message>
    <message>
        <source>No se pudo imprimir.</source>
        <translation>Printing failed.</translation>
    </message>
    <message>
        <source>No se pudieron guardar las columnas: %1.</source>
        <translation>The columns could not be saved: %1.</translation>
    </message>
</context>
<context>
    <name>TColumnsModel</name>
    <message>
        <source>Nº</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Aciertos</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Signos acertados en los partidos ya jugados</source>
        <translation>Signs right in the matches played so far</translation>
    </message>
    <message>
        <source>Lo más que puede llegar a acertar si acierta los partidos que faltan</source>
        <translation>The most signs right it can reach, should it be right in every match still to play</translation>
    </message>
    <message>
        <source>Máximo</source>
        <translation>Most</translation>
    </message>
    <message>
        <source>Probabilidad de que la columna acierte los 14 partidos</source>
        <translation>Chance that the column gets all 14 matches right</translation>
    </message>
    <message>
        <source>Parte de las apuestas del público que juegan esta columna</source>
        <translation>Share of the public&apos;s bets that play this column</translation>
    </message>
    <message>
        <source>Probabilidad entre parte del público: más de 1, el público la juega menos de lo que puede salir</source>
        <translation>Chance over the public&apos;s share: above 1, the public plays it less than it may come out</translation>
    </message>
    <message>
        <source>Probabilidad</source>
        <translation>Chance</translation>
    </message>
    <message>
        <source>Público</source>
        <translation>Public</translation>
    </message>
    <message>
        <source>Valor</source>
        <translation>Value</translation>
    </message>
</context>
<context>
    <name>TColumnsPanel</name>
    <message>
        <source>Res&amp;ultado:</source>
        <translation>Resul&amp;t:</translation>
    </message>
    <message>
        <source>Resultado de la jornada</source>
        <translation>Result of the week</translation>
    </message>
    <message>
        <source>14 signos de la jornada</source>
        <translation>the week&apos;s 14 signs</translation>
    </message>
    <message>
        <source>Columnas por aciertos</source>
        <translation>Columns by signs right</translation>
    </message>
    <message>
        <source>Columnas reducidas</source>
        <translation>Reduced columns</translation>
    </message>
    <message>
        <source>Aciertos</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>14: %1 · 13: %2 · 12: %3 · 11: %4 · 10: %5</source>
        <translation>14: %1 · 13: %2 · 12: %3 · 11: %4 · 10: %5</translation>
    </message>
    <message>
        <source>Un signo por partido: 1, X o 2; un guion o un espacio si aún no se ha jugado</source>
        <translation>A sign per match: 1, X or 2; a dash or a blank for a match not yet played</translation>
    </message>
    <message>
        <source>Pueden llegar a N: columnas que aún pueden acabar con N aciertos o más.
Ya tienen N: columnas que ya tienen N aciertos o más, pase lo que pase.</source>
        <translation>Can still reach N: columns that can still end with N or more right.
Already have N: columns that have N or more right, whatever happens.</translation>
    </message>
    <message>
        <source>Máximo</source>
        <translation>Most</translation>
    </message>
    <message>
        <source>Pueden llegar a 14: %1 · a 13: %2 · a 12: %3 · a 11: %4 · a 10: %5</source>
        <translation>Can still reach 14: %1 · 13: %2 · 12: %3 · 11: %4 · 10: %5</translation>
    </message>
    <message>
        <source>Ya tienen 13: %1 · 12: %2 · 11: %3 · 10: %4</source>
        <translation>Already have 13: %1 · 12: %2 · 11: %3 · 10: %4</translation>
    </message>
</context>
<context>
    <name>TConditionDialog</name>
    <message>
        <source>Añadir condición</source>
        <translation>Add condition</translation>
    </message>
    <message>
        <source>Signos de un tipo</source>
        <translation>Signs of one kind</translation>
    </message>
    <message>
        <source>Variantes (X y 2)</source>
        <translation>Variants (X and 2)</translation>
    </message>
    <message>
        <source>Cambios de signo</source>
        <translation>Changes of sign</translation>
    </message>
    <message>
        <source>Seguidos de un signo</source>
        <translation>Run of a sign</translation>
    </message>
    <message>
        <source>Signos en un grupo de partidos</source>
        <translation>Signs in a group of matches</translation>
    </message>
    <message>
        <source>Diferencias con una columna base</source>
        <translation>Differences from a base column</translation>
    </message>
    <message>
        <source>Tipo de condición</source>
        <translation>Kind of condition</translation>
    </message>
    <message>
        <source>cualquiera</source>
        <translation>any</translation>
    </message>
    <message>
        <source>Signo</source>
        <translation>Sign</translation>
    </message>
    <message>
        <source>Primer partido</source>
        <translation>First match</translation>
    </message>
    <message>
        <source>Último partido</source>
        <translation>Last match</translation>
    </message>
    <message>
        <source>14 signos, p. ej. 1X21X21X21X21X</source>
        <translation>14 signs, e.g. 1X21X21X21X21X</translation>
    </message>
    <message>
        <source>Columna base</source>
        <translation>Base column</translation>
    </message>
    <message>
        <source>Mínimo</source>
        <translation>Least</translation>
    </message>
    <message>
        <source>Máximo</source>
        <translation>Most</translation>
    </message>
    <message>
        <source>Condición</source>
        <translation>Condition</translation>
    </message>
    <message>
        <source>Motivo del rechazo</source>
        <translation>Reason for the refusal</translation>
    </message>
    <message>
        <source>&amp;Añadir</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>&amp;Cancelar</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>a</source>
        <translation>to</translation>
    </message>
    <message>
        <source>y</source>
        <translation>and</translation>
    </message>
    <message>
        <source>&amp;Tipo:</source>
        <translation>&amp;Kind:</translation>
    </message>
    <message>
        <source>&amp;Signo:</source>
        <translation>&amp;Sign:</translation>
    </message>
    <message>
        <source>&amp;Partidos:</source>
        <translation>&amp;Matches:</translation>
    </message>
    <message>
        <source>Columna &amp;base:</source>
        <translation>&amp;Base column:</translation>
    </message>
    <message>
        <source>&amp;Entre:</source>
        <translation>Bet&amp;ween:</translation>
    </message>
    <message>
        <source>Editar condición</source>
        <translation>Edit condition</translation>
    </message>
    <message>
        <source>&amp;Aceptar</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Valor</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Público</source>
        <translation>Public share</translation>
    </message>
    <message>
        <source>Porcenta&amp;je como mucho:</source>
        <translation>Percenta&amp;ge at most:</translation>
    </message>
    <message>
        <source>Va&amp;lor al menos:</source>
        <translation>Va&amp;lue at least:</translation>
    </message>
    <message>
        <source>Porcentaje del público como mucho</source>
        <translation>Most percentage of the public</translation>
    </message>
    <message>
        <source>Valor al menos</source>
        <translation>Least value</translation>
    </message>
</context>
<context>
    <name>TConditionWords</name>
    <message>
        <source>exactamente %1 %2</source>
        <translation>exactly %1 %2</translation>
    </message>
    <message>
        <source>como mucho %1 %2</source>
        <translation>at most %1 %2</translation>
    </message>
    <message>
        <source>al menos %1 %2</source>
        <translation>at least %1 %2</translation>
    </message>
    <message>
        <source>entre %1 y %2 %3</source>
        <translation>between %1 and %2 %3</translation>
    </message>
    <message>
        <source>uno</source>
        <translation>one</translation>
    </message>
    <message>
        <source>unos</source>
        <translation>ones</translation>
    </message>
    <message>
        <source>dos</source>
        <translation>two</translation>
    </message>
    <message>
        <source>doses</source>
        <translation>twos</translation>
    </message>
    <message>
        <source>variante (X o 2)</source>
        <translation>variant (X or 2)</translation>
    </message>
    <message>
        <source>variantes (X o 2)</source>
        <translation>variants (X or 2)</translation>
    </message>
    <message>
        <source>cambio de signo</source>
        <translation>change of sign</translation>
    </message>
    <message>
        <source>cambios de signo</source>
        <translation>changes of sign</translation>
    </message>
    <message>
        <source>seguido de un mismo signo</source>
        <translation>consecutive sign alike</translation>
    </message>
    <message>
        <source>seguidos de un mismo signo</source>
        <translation>consecutive signs alike</translation>
    </message>
    <message>
        <source>seguido del %1</source>
        <translation>consecutive %1</translation>
    </message>
    <message>
        <source>seguidos del %1</source>
        <translation>consecutive %1s</translation>
    </message>
    <message>
        <source>%1 entre los partidos %2 y %3</source>
        <translation>%1 among matches %2 to %3</translation>
    </message>
    <message>
        <source>%1 con la columna %2</source>
        <translation>%1 from the column %2</translation>
    </message>
    <message>
        <source>diferencia</source>
        <translation>difference</translation>
    </message>
    <message>
        <source>diferencias</source>
        <translation>differences</translation>
    </message>
    <message>
        <source>El signo debe ser 1, X o 2.</source>
        <translation>The sign must be 1, X or 2.</translation>
    </message>
    <message>
        <source>Los partidos van del 1 al 14.</source>
        <translation>The matches run from 1 to 14.</translation>
    </message>
    <message>
        <source>El primer partido (%1) va después del último (%2).</source>
        <translation>The first match (%1) comes after the last (%2).</translation>
    </message>
    <message>
        <source>La columna base debe tener 14 signos 1, X o 2.</source>
        <translation>The base column must have 14 signs 1, X or 2.</translation>
    </message>
    <message>
        <source>Los límites van de 0 a %1.</source>
        <translation>The bounds run from 0 to %1.</translation>
    </message>
    <message>
        <source>El mínimo (%1) es mayor que el máximo (%2).</source>
        <translation>The least (%1) is above the most (%2).</translation>
    </message>
    <message>
        <source>equis</source>
        <comment>singular</comment>
        <translation>X</translation>
    </message>
    <message>
        <source>equis</source>
        <comment>plural</comment>
        <translation>Xs</translation>
    </message>
    <message>
        <source>valor al menos %1</source>
        <translation>value at least %1</translation>
    </message>
    <message>
        <source>jugada por como mucho el %1 % del público</source>
        <translation>played by at most %1 % of the public</translation>
    </message>
    <message>
        <source>El valor debe ser mayor que 0 y como mucho %1.</source>
        <translation>The value must be above 0 and at most %1.</translation>
    </message>
    <message>
        <source>El porcentaje debe ser mayor que 0 y como mucho %1.</source>
        <translation>The percentage must be above 0 and at most %1.</translation>
    </message>
</context>
<context>
    <name>TConditionsPanel</name>
    <message>
        <source>Condiciones</source>
        <translation>Conditions</translation>
    </message>
    <message>
        <source>Añadir condición</source>
        <translation>Add condition</translation>
    </message>
    <message>
        <source>Quitar condición</source>
        <translation>Remove condition</translation>
    </message>
    <message>
        <source>&amp;Editar...</source>
        <translation>&amp;Edit...</translation>
    </message>
    <message>
        <source>Editar condición</source>
        <translation>Edit condition</translation>
    </message>
</context>
<context>
    <name>TForecastPanel</name>
    <message>
        <source>Pronóstico</source>
        <translation>Forecast</translation>
    </message>
    <message>
        <source>Partido</source>
        <translation>Match</translation>
    </message>
    <message>
        <source>Equipos del partido %1</source>
        <translation>Teams of match %1</translation>
    </message>
    <message>
        <source>Local - Visitante</source>
        <translation>Home - Away</translation>
    </message>
    <message>
        <source>Signo %1 del partido %2</source>
        <translation>Sign %1 of match %2</translation>
    </message>
    <message>
        <source>Probabilidad del %1 en el partido %2</source>
        <translation>Chance of %1 in match %2</translation>
    </message>
    <message>
        <source>P&amp;recio por columna:</source>
        <translation>P&amp;rice per column:</translation>
    </message>
    <message>
        <source>Precio por columna</source>
        <translation>Price per column</translation>
    </message>
    <message>
        <source>Columnas del desarrollo</source>
        <translation>Columns of the development</translation>
    </message>
    <message>
        <source>Coste del desarrollo</source>
        <translation>Cost of the development</translation>
    </message>
    <message>
        <source>Contando las columnas...</source>
        <translation>Counting the columns...</translation>
    </message>
    <message>
        <source>%1 columnas</source>
        <translation>%1 columns</translation>
    </message>
    <message>
        <source>Coste: %1</source>
        <translation>Cost: %1</translation>
    </message>
    <message>
        <source>Coste de la reducción</source>
        <translation>Cost of the reduction</translation>
    </message>
    <message>
        <source>Ninguna columna cumple «%1»</source>
        <translation>No column meets “%1”</translation>
    </message>
    <message>
        <source>Ninguna columna cumple todas las condiciones</source>
        <translation>No column meets all the conditions</translation>
    </message>
    <message>
        <source>0 goles</source>
        <translation>0 goals</translation>
    </message>
    <message>
        <source>1 gol</source>
        <translation>1 goal</translation>
    </message>
    <message>
        <source>2 goles</source>
        <translation>2 goals</translation>
    </message>
    <message>
        <source>3 o más goles</source>
        <translation>3 or more goals</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>Visitante</source>
        <translation>Away</translation>
    </message>
    <message>
        <source>%1 del local en el Pleno al 15</source>
        <translation>%1 for the home team in the Pleno al 15</translation>
    </message>
    <message>
        <source>%1 del visitante en el Pleno al 15</source>
        <translation>%1 for the away team in the Pleno al 15</translation>
    </message>
    <message>
        <source>Probabilidad de %1 del local en el Pleno al 15</source>
        <translation>Chance of %1 for the home team in the Pleno al 15</translation>
    </message>
    <message>
        <source>Probabilidad de %1 del visitante en el Pleno al 15</source>
        <translation>Chance of %1 for the away team in the Pleno al 15</translation>
    </message>
    <message>
        <source>Porcentaje del público de %1 del local en el Pleno al 15</source>
        <translation>Public&apos;s percentage of %1 for the home team in the Pleno al 15</translation>
    </message>
    <message>
        <source>Porcentaje del público de %1 del visitante en el Pleno al 15</source>
        <translation>Public&apos;s percentage of %1 for the away team in the Pleno al 15</translation>
    </message>
    <message>
        <source>Probabilidades (%)</source>
        <translation>Chances (%)</translation>
    </message>
    <message>
        <source>Público</source>
        <translation>Public</translation>
    </message>
    <message>
        <source>Porcentaje del público del %1 en el partido %2</source>
        <translation>Public&apos;s percentage of %1 in match %2</translation>
    </message>
    <message>
        <source>Equipos del Pleno al 15</source>
        <translation>Teams of the Pleno al 15</translation>
    </message>
    <message>
        <source>Pleno al 15</source>
        <translation>Pleno al 15</translation>
    </message>
    <message>
        <source>%1 × %2 resultados del Pleno</source>
        <translation>%1 × %2 results of the Pleno</translation>
    </message>
    <message>
        <source>1 boleto: un boleto lleva al menos %1 columnas</source>
        <translation>1 slip: a slip holds at least %1 columns</translation>
    </message>
    <message>
        <source>1 boleto</source>
        <translation>1 slip</translation>
    </message>
    <message>
        <source>%1 boletos</source>
        <translation>%1 slips</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>1 columna</source>
        <translation>1 column</translation>
    </message>
    <message>
        <source>Reducción: %1, %2</source>
        <translation>Reduction: %1, %2</translation>
    </message>
    <message>
        <source>Pleno al 15: cuenta solo para la categoría especial, 14 + Pleno al 15. Se juega cada resultado de un gol marcado del local y uno del visitante, y cada columna se apuesta una vez por resultado.</source>
        <translation>Pleno al 15: counts only for the special category, 14 + Pleno al 15. Every result of a goal marked for the home team and one marked for the away team is played, and each column is bet once for each result.</translation>
    </message>
</context>
<context>
    <name>TJobWords</name>
    <message>
        <source>Desarrollando las columnas</source>
        <translation>Developing the columns</translation>
    </message>
    <message>
        <source>Buscando las reductoras</source>
        <translation>Choosing the reduced columns</translation>
    </message>
    <message>
        <source>Optimizando</source>
        <translation>Optimising</translation>
    </message>
    <message>
        <source>Calculando los premios</source>
        <translation>Working out the prizes</translation>
    </message>
    <message>
        <source>Calculando las probabilidades</source>
        <translation>Working out the chances</translation>
    </message>
    <message>
        <source>No hay memoria suficiente.</source>
        <translation>Out of memory.</translation>
    </message>
    <message>
        <source>Eligiendo las columnas</source>
        <translation>Choosing the columns</translation>
    </message>
</context>
<context>
    <name>TPlanDocument</name>
    <message>
        <source>sin título</source>
        <translation>untitled</translation>
    </message>
    <message>
        <source>Abrir plan</source>
        <translation>Open plan</translation>
    </message>
    <message>
        <source>Planes de Kelvo (*.kelvo)</source>
        <translation>Kelvo plans (*.kelvo)</translation>
    </message>
    <message>
        <source>Guardar plan</source>
        <translation>Save plan</translation>
    </message>
    <message>
        <source>plan.kelvo</source>
        <translation>plan.kelvo</translation>
    </message>
    <message>
        <source>Cambios sin guardar</source>
        <translation>Unsaved changes</translation>
    </message>
    <message>
        <source>El plan %1 tiene cambios sin guardar. ¿Quiere guardarlos?</source>
        <translation>The plan %1 has unsaved changes. Save them?</translation>
    </message>
    <message>
        <source>&amp;Guardar</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>&amp;Descartar</source>
        <translation>&amp;Discard</translation>
    </message>
    <message>
        <source>&amp;Cancelar</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Plan guardado en %1</source>
        <translation>Plan saved in %1</translation>
    </message>
    <message>
        <source>No se pudo guardar el plan: %1.</source>
        <translation>The plan could not be saved: %1.</translation>
    </message>
</context>
<context>
    <name>TPlanWords</name>
    <message>
        <source>La columna %2 (%3) del plan %1 no es una columna de su desarrollo.</source>
        <translation>Column %2 (%3) of the plan %1 is not a column of its development.</translation>
    </message>
    <message>
        <source>Al plan %1 le faltan partidos: debe tener los 14.</source>
        <translation>The plan %1 lacks matches: it must have all 14.</translation>
    </message>
    <message>
        <source>Al plan %1 le falta parte de sus condiciones.</source>
        <translation>The plan %1 lacks part of its conditions.</translation>
    </message>
    <message>
        <source>Al plan %1 le falta decir si muestra las probabilidades.</source>
        <translation>The plan %1 does not say whether it shows the chances.</translation>
    </message>
    <message>
        <source>Al plan %1 le falta el precio por columna.</source>
        <translation>The plan %1 lacks the price per column.</translation>
    </message>
    <message>
        <source>Al plan %1 le falta la garantía.</source>
        <translation>The plan %1 lacks the guarantee.</translation>
    </message>
    <message>
        <source>Al plan %1 le falta el tiempo del optimizador.</source>
        <translation>The plan %1 lacks the optimiser&apos;s time.</translation>
    </message>
    <message>
        <source>Al plan %1 le falta decir si usa columnas fuera del pronóstico.</source>
        <translation>The plan %1 does not say whether it uses columns outside the forecast.</translation>
    </message>
    <message>
        <source>Al plan %1 le falta el resultado de la jornada.</source>
        <translation>The plan %1 lacks the week&apos;s result.</translation>
    </message>
    <message>
        <source>Al plan %1 le falta parte de su reducción.</source>
        <translation>The plan %1 lacks part of its reduction.</translation>
    </message>
    <message>
        <source>No se puede leer el fichero %1.</source>
        <translation>The file %1 cannot be read.</translation>
    </message>
    <message>
        <source>El fichero %1 está vacío.</source>
        <translation>The file %1 is empty.</translation>
    </message>
    <message>
        <source>El fichero %1 no es un plan de Kelvo.</source>
        <translation>The file %1 is not a Kelvo plan.</translation>
    </message>
    <message>
        <source>El plan %1 está dañado: no dice con qué versión del programa se guardó.</source>
        <translation>The plan %1 is damaged: it does not say which version of the program saved it.</translation>
    </message>
    <message>
        <source>El plan %1 se guardó con una versión más nueva del programa; actualice Kelvo para abrirlo.</source>
        <translation>The plan %1 was saved by a newer version of the program; update Kelvo to open it.</translation>
    </message>
    <message>
        <source>La condición %2 del plan %1 no se puede cumplir: %3</source>
        <translation>Condition %2 of the plan %1 cannot be met: %3</translation>
    </message>
    <message>
        <source>El plan %1 está dañado.</source>
        <translation>The plan %1 is damaged.</translation>
    </message>
    <message>
        <source>Al plan %1 le faltan los equipos del partido %2.</source>
        <translation>The plan %1 lacks the teams of match %2.</translation>
    </message>
    <message>
        <source>Al plan %1 le falta el pronóstico del partido %2.</source>
        <translation>The plan %1 lacks the forecast of match %2.</translation>
    </message>
    <message>
        <source>Al plan %1 le faltan las probabilidades del partido %2.</source>
        <translation>The plan %1 lacks the chances of match %2.</translation>
    </message>
    <message>
        <source>Al plan %1 le falta el partido %2.</source>
        <translation>The plan %1 lacks match %2.</translation>
    </message>
    <message>
        <source>no hay memoria suficiente</source>
        <translation>there is not enough memory</translation>
    </message>
    <message>
        <source>no se puede crear el fichero %1; compruebe que la carpeta existe y que se puede escribir en ella</source>
        <translation>the file %1 cannot be created; check that the folder exists and can be written to</translation>
    </message>
    <message>
        <source>no se pudo escribir el fichero %1 entero (¿está lleno el disco?); el fichero sigue como estaba</source>
        <translation>the file %1 could not be written in full (is the disk full?); the file is as it was</translation>
    </message>
    <message>
        <source>Al plan %1 le falta la recaudación de la jornada.</source>
        <translation>The plan %1 lacks the week&apos;s takings.</translation>
    </message>
    <message>
        <source>Al plan %1 le falta el bote.</source>
        <translation>The plan %1 lacks the jackpot.</translation>
    </message>
    <message>
        <source>Al plan %1 le falta parte de las reglas de premios.</source>
        <translation>The plan %1 lacks part of its prize rules.</translation>
    </message>
    <message>
        <source>Al plan %1 le falta parte del Pleno al 15.</source>
        <translation>The plan %1 lacks part of the Pleno al 15.</translation>
    </message>
    <message>
        <source>Al plan %1 le faltan los porcentajes del público del partido %2.</source>
        <translation>The plan %1 lacks the public&apos;s percentages of match %2.</translation>
    </message>
    <message>
        <source>Al plan %1 le falta parte de su presupuesto.</source>
        <translation>Part of the budget of plan %1 is missing.</translation>
    </message>
</context>
<context>
    <name>TPlannerWindow</name>
    <message>
        <source>&amp;Nuevo plan</source>
        <translation>&amp;New plan</translation>
    </message>
    <message>
        <source>&amp;Abrir plan...</source>
        <translation>&amp;Open plan...</translation>
    </message>
    <message>
        <source>&amp;Guardar plan</source>
        <translation>&amp;Save plan</translation>
    </message>
    <message>
        <source>Guardar plan &amp;como...</source>
        <translation>Save plan &amp;as...</translation>
    </message>
    <message>
        <source>Guardar co&amp;lumnas...</source>
        <translation>Save co&amp;lumns...</translation>
    </message>
    <message>
        <source>E&amp;xportar a PDF...</source>
        <translation>E&amp;xport to PDF...</translation>
    </message>
    <message>
        <source>&amp;Imprimir...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>&amp;Salir</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>Añadir con&amp;dición...</source>
        <translation>Add con&amp;dition...</translation>
    </message>
    <message>
        <source>&amp;Quitar condición</source>
        <translation>Re&amp;move condition</translation>
    </message>
    <message>
        <source>Pro&amp;babilidades</source>
        <translation>C&amp;hances</translation>
    </message>
    <message>
        <source>&amp;Reducir</source>
        <translation>&amp;Reduce</translation>
    </message>
    <message>
        <source>&amp;Parar</source>
        <translation>S&amp;top</translation>
    </message>
    <message>
        <source>&amp;Archivo</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Plan</source>
        <translation>P&amp;lan</translation>
    </message>
    <message>
        <source>Herramientas</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>Resultados de la reducción</source>
        <translation>Results of the reduction</translation>
    </message>
    <message>
        <source>Pre&amp;mios</source>
        <translation>Pri&amp;zes</translation>
    </message>
    <message>
        <source>Colum&amp;nas</source>
        <translation>Colum&amp;ns</translation>
    </message>
    <message>
        <source>Kelvo Planner</source>
        <translation>Kelvo Planner</translation>
    </message>
    <message>
        <source>%1[*] — Kelvo Planner</source>
        <translation>%1[*] — Kelvo Planner</translation>
    </message>
    <message>
        <source>Descartar la reducción</source>
        <translation>Discard the reduction</translation>
    </message>
    <message>
        <source>Se descartará la reducción de %1 columnas. ¿Quiere hacer el cambio?</source>
        <translation>The reduction of %1 columns will be discarded. Do you want to make the change?</translation>
    </message>
    <message>
        <source>&amp;Sí</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>Reducir de nuevo</source>
        <translation>Reduce again</translation>
    </message>
    <message>
        <source>Cuando termine, la nueva reducción sustituirá a la de %1 columnas que está en vigor.</source>
        <translation>When it ends, the new reduction will replace the reduction of %1 columns in force.</translation>
    </message>
    <message>
        <source>&amp;Cancelar</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Reducción en marcha</source>
        <translation>Reduction running</translation>
    </message>
    <message>
        <source>La reducción aún está en marcha. ¿Quiere pararla y salir?</source>
        <translation>The reduction is still running. Do you want to stop it and quit?</translation>
    </message>
    <message>
        <source>&amp;Parar y salir</source>
        <translation>&amp;Stop and quit</translation>
    </message>
    <message>
        <source>&amp;Seguir reduciendo</source>
        <translation>&amp;Keep reducing</translation>
    </message>
    <message>
        <source>Reglas de pre&amp;mios...</source>
        <translation>&amp;Prize rules...</translation>
    </message>
    <message>
        <source>El precio por columna es 0 €: un presupuesto en euros no da para ninguna columna. Ponga el precio o cuente el presupuesto en columnas.</source>
        <translation>The price per column is 0 €: a budget in euros buys no column. Set the price or count the budget in columns.</translation>
    </message>
    <message>
        <source>Un presupuesto de %1 no da para ninguna columna: cada una cuesta %2.</source>
        <translation>A budget of %1 buys no column: each costs %2.</translation>
    </message>
    <message>
        <source>El presupuesto elige las columnas por sus probabilidades, que no se pueden usar. %1.</source>
        <translation>The budget chooses the columns by their chances, which cannot be used. %1.</translation>
    </message>
</context>
<context>
    <name>TPrintWords</name>
    <message>
        <source>Bloque %1</source>
        <translation>Block %1</translation>
    </message>
    <message>
        <source>Plan sin nombre</source>
        <translation>Unnamed plan</translation>
    </message>
    <message>
        <source>Pronóstico</source>
        <translation>Forecast</translation>
    </message>
    <message>
        <source>Partido</source>
        <translation>Match</translation>
    </message>
    <message>
        <source>Condiciones</source>
        <translation>Conditions</translation>
    </message>
    <message>
        <source>Sin condiciones</source>
        <translation>No conditions</translation>
    </message>
    <message>
        <source>Reducción</source>
        <translation>Reduction</translation>
    </message>
    <message>
        <source>Garantía: %1 aciertos</source>
        <translation>Guarantee: %1 right</translation>
    </message>
    <message>
        <source>Columnas: %1</source>
        <translation>Columns: %1</translation>
    </message>
    <message>
        <source>Coste: %1 (%2 por columna)</source>
        <translation>Cost: %1 (%2 a column)</translation>
    </message>
    <message>
        <source>%1 · página %2 de %3</source>
        <translation>%1 · page %2 of %3</translation>
    </message>
    <message>
        <source>Presupuesto: las columnas de más ganancia esperada</source>
        <translation>Budget: the columns of the most expected winnings</translation>
    </message>
    <message>
        <source>Presupuesto: las columnas de más probabilidad de %1 o más aciertos</source>
        <translation>Budget: the columns of the most chance of %1 or more right</translation>
    </message>
</context>
<context>
    <name>TPrizeRulesDialog</name>
    <message>
        <source>Reglas de premios</source>
        <translation>Prize rules</translation>
    </message>
    <message>
        <source>Las cifras son las de las reglas en vigor desde 2024: cada una es el porcentaje de la recaudación de la jornada que se reparte en esa categoría. El bote se suma al premio de 14 aciertos.</source>
        <translation>The figures are those of the rules in force since 2024: each is the percentage of the week&apos;s takings shared out in that category. The jackpot is added to the prize for 14 right.</translation>
    </message>
    <message>
        <source>14 + Pleno al 15</source>
        <translation>14 right + Pleno al 15</translation>
    </message>
    <message>
        <source>%1 aciertos</source>
        <translation>%1 right</translation>
    </message>
    <message>
        <source>&amp;Aceptar</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancelar</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>&amp;Restablecer</source>
        <translation>&amp;Restore</translation>
    </message>
    <message>
        <source>Vuelve a las reglas en vigor desde 2024</source>
        <translation>Goes back to the rules in force since 2024</translation>
    </message>
    <message>
        <source>En premios: %1 % de la recaudación</source>
        <translation>In prizes: %1 % of the takings</translation>
    </message>
</context>
<context>
    <name>TPrizesPanel</name>
    <message>
        <source>Resumen de la reducción</source>
        <translation>Summary of the reduction</translation>
    </message>
    <message>
        <source>Premio garantizado</source>
        <translation>Guaranteed prize</translation>
    </message>
    <message>
        <source>Probabilidades de esta semana</source>
        <translation>Chances this week</translation>
    </message>
    <message>
        <source>Tabla de premios</source>
        <translation>Prize table</translation>
    </message>
    <message>
        <source>Resultados del desarrollo cuya mejor columna tiene esos aciertos</source>
        <translation>Results of the development whose best column has that many right</translation>
    </message>
    <message>
        <source>Media de columnas con esos aciertos por resultado</source>
        <translation>Mean number of columns with that many right per result</translation>
    </message>
    <message>
        <source>Máximo de columnas con esos aciertos para un resultado</source>
        <translation>Most columns with that many right for one result</translation>
    </message>
    <message>
        <source>Probabilidad de al menos esos aciertos esta semana</source>
        <translation>Chance of at least that many right this week</translation>
    </message>
    <message>
        <source>Columnas esperadas con exactamente esos aciertos</source>
        <translation>Expected columns with exactly that many right</translation>
    </message>
    <message>
        <source>%1 aciertos</source>
        <translation>%1 right</translation>
    </message>
    <message>
        <source>menos de 10</source>
        <translation>fewer than 10</translation>
    </message>
    <message>
        <source>Sin reducción: pulse Reducir.</source>
        <translation>No reduction yet: press Reduce.</translation>
    </message>
    <message>
        <source>%1 columnas reducidas al %2 · coste %3</source>
        <translation>%1 columns reduced at %2 · cost %3</translation>
    </message>
    <message>
        <source>La más pequeña posible: ninguna reducción tiene menos columnas</source>
        <translation>Smallest possible: no reduction has fewer columns</translation>
    </message>
    <message>
        <source> · búsqueda parada</source>
        <translation> · search stopped</translation>
    </message>
    <message>
        <source>%1 resultados del desarrollo · garantizados %2 aciertos</source>
        <translation>%1 results of the development · %2 right guaranteed</translation>
    </message>
    <message>
        <source>Probabilidad de que el resultado esté en el desarrollo: %1 %</source>
        <translation>Chance that the result is in the development: %1 %</translation>
    </message>
    <message>
        <source>Hay probabilidades de %1 partidos; deben ser de los 14</source>
        <translation>There are chances for %1 matches; there must be for all 14</translation>
    </message>
    <message>
        <source>Partido %1: tiene %2 probabilidades; necesita 3, las de 1, X y 2</source>
        <translation>Match %1: it has %2 chances; it needs 3, those of 1, X and 2</translation>
    </message>
    <message>
        <source>Partido %1: «%2» no es un número</source>
        <translation>Match %1: “%2” is not a number</translation>
    </message>
    <message>
        <source>Partido %1: la probabilidad %2 es negativa</source>
        <translation>Match %1: the chance %2 is negative</translation>
    </message>
    <message>
        <source>Partido %1: las probabilidades suman %2; deben sumar 100</source>
        <translation>Match %1: the chances add up to %2; they must add up to 100</translation>
    </message>
    <message>
        <source>Resultados
del desarrollo</source>
        <translation>Results of
the development</translation>
    </message>
    <message>
        <source>Columnas
premiadas por
resultado
(media)</source>
        <translation>Winning
columns per
result
(mean)</translation>
    </message>
    <message>
        <source>Columnas
premiadas por
resultado
(máximo)</source>
        <translation>Winning
columns per
result
(most)</translation>
    </message>
    <message>
        <source>Probabilidad
esta semana de
al menos esos
aciertos</source>
        <translation>Chance this
week of at
least that
many right</translation>
    </message>
    <message>
        <source>Columnas
premiadas
esperadas
esta semana</source>
        <translation>Winning
columns
expected
this week</translation>
    </message>
    <message>
        <source>Según las tablas publicadas, ninguna reducción puede bajar de %1 columnas: no se puede ahorrar ninguna más</source>
        <translation>By the published tables, no reduction can have fewer than %1 columns: none more can be saved</translation>
    </message>
    <message>
        <source>Según las tablas publicadas, ninguna reducción puede bajar de %1 columnas: como mucho se ahorrarían %2 más</source>
        <translation>By the published tables, no reduction can have fewer than %1 columns: at most %2 more could be saved</translation>
    </message>
    <message>
        <source>Ninguna reducción puede bajar de %1 columnas: no se puede ahorrar ninguna más</source>
        <translation>No reduction can have fewer than %1 columns: none more can be saved</translation>
    </message>
    <message>
        <source>Ninguna reducción puede bajar de %1 columnas: como mucho se ahorrarían %2 más</source>
        <translation>No reduction can have fewer than %1 columns: at most %2 more could be saved</translation>
    </message>
    <message>
        <source>Reducción rápida: %1 columnas</source>
        <translation>Quick reduction: %1 columns</translation>
    </message>
    <message>
        <source>Las probabilidades no se pueden usar. %1.</source>
        <translation>The chances cannot be used. %1.</translation>
    </message>
    <message>
        <source>Lo que se espera ganar esta semana</source>
        <translation>What it is expected to win this week</translation>
    </message>
    <message>
        <source>Estado del cálculo</source>
        <translation>State of the calculation</translation>
    </message>
    <message>
        <source>Ganancia esperada por categoría</source>
        <translation>Expected winnings by category</translation>
    </message>
    <message>
        <source>14 +
Pleno al 15</source>
        <translation>14 +
Pleno al 15</translation>
    </message>
    <message>
        <source>%1
aciertos</source>
        <translation>%1
right</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Ganancia
esperada</source>
        <translation>Expected
winnings</translation>
    </message>
    <message>
        <source>Los 14 aciertos con el Pleno al 15 acertado</source>
        <translation>All 14 right with the Pleno al 15 right</translation>
    </message>
    <message>
        <source>Rendimiento por euro</source>
        <translation>Return per euro</translation>
    </message>
    <message>
        <source>Lo que se espera ganar por cada euro apostado</source>
        <translation>What each euro staked is expected to win</translation>
    </message>
    <message>
        <source>Probabilidad de premio</source>
        <translation>Chance of a prize</translation>
    </message>
    <message>
        <source>Probabilidad de que alguna columna tenga 10 aciertos o más</source>
        <translation>Chance that some column has 10 or more right</translation>
    </message>
    <message>
        <source>Es una estimación: no cuenta que el premio de una categoría sin acertantes pase a otra, ni que una categoría inferior nunca pague más que una superior.</source>
        <translation>This is an estimate: it leaves out that the prize of a category without winners passes to another, and that a lower category never pays more than a higher one.</translation>
    </message>
    <message>
        <source>Calculando lo que se espera ganar…</source>
        <translation>Working out what it is expected to win…</translation>
    </message>
    <message>
        <source>Rendimiento por euro: %1</source>
        <translation>Return per euro: %1</translation>
    </message>
    <message>
        <source>Probabilidad de algún premio: %1</source>
        <translation>Chance of a prize: %1</translation>
    </message>
    <message>
        <source>No hay memoria suficiente para calcular lo que se espera ganar.</source>
        <translation>There is not enough memory to work out what it is expected to win.</translation>
    </message>
    <message>
        <source>Cómo se eligieron las columnas del presupuesto</source>
        <translation>How the budget&apos;s columns were chosen</translation>
    </message>
    <message>
        <source>%1 columnas elegidas con un presupuesto de %2 columnas · coste %3</source>
        <translation>%1 columns chosen with a budget of %2 columns · cost %3</translation>
    </message>
    <message>
        <source>Probabilidad de %1 o más: %2 de %3 del pronóstico (cota %4)</source>
        <translation>Chance of %1 or more: %2 of the forecast&apos;s %3 (bound %4)</translation>
    </message>
    <message>
        <source>Elegidas por la ganancia esperada: ninguna elección de %1 columnas espera ganar más de %2; la elección rápida, %3</source>
        <translation>Chosen for the expected winnings: no choice of %1 columns is expected to win more than %2; the quick choice, %3</translation>
    </message>
    <message>
        <source>Elección rápida: %1</source>
        <translation>Quick choice: %1</translation>
    </message>
    <message>
        <source>La mejor posible con %1 columnas</source>
        <translation>The best possible with %1 columns</translation>
    </message>
</context>
<context>
    <name>TRunPanel</name>
    <message>
        <source>Reducción</source>
        <translation>Reduction</translation>
    </message>
    <message>
        <source>Garantía</source>
        <translation>Guarantee</translation>
    </message>
    <message>
        <source>%1 aciertos</source>
        <translation>%1 right</translation>
    </message>
    <message>
        <source>&amp;Garantía:</source>
        <translation>&amp;Guarantee:</translation>
    </message>
    <message>
        <source>Tiempo del optimizador</source>
        <translation>Optimiser time</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>sin optimizar</source>
        <translation>no optimising</translation>
    </message>
    <message>
        <source>&amp;Tiempo:</source>
        <translation>T&amp;ime:</translation>
    </message>
    <message>
        <source>usar columnas fuera del pronóstico</source>
        <translation>use columns outside the forecast</translation>
    </message>
    <message>
        <source>Reducir</source>
        <translation>Reduce</translation>
    </message>
    <message>
        <source>Parar</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Fase</source>
        <translation>Phase</translation>
    </message>
    <message>
        <source>Tiempo restante</source>
        <translation>Time left</translation>
    </message>
    <message>
        <source>Progreso</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>Mejor hasta ahora: %1 columnas</source>
        <translation>Best so far: %1 columns</translation>
    </message>
    <message>
        <source>Quedan %1 s</source>
        <translation>%1 s left</translation>
    </message>
    <message>
        <source>Parando...</source>
        <translation>Stopping...</translation>
    </message>
    <message>
        <source>Terminado</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>Reducción: %1 columnas</source>
        <translation>Reduction: %1 columns</translation>
    </message>
    <message>
        <source>Ninguna reducción puede bajar de %1 columnas</source>
        <translation>No reduction can go below %1 columns</translation>
    </message>
    <message>
        <source>La más pequeña posible: ninguna reducción tiene menos columnas</source>
        <translation>Smallest possible: no reduction has fewer columns</translation>
    </message>
    <message>
        <source>Ninguna reducción puede bajar de %1 columnas: como mucho se ahorraría 1 más</source>
        <translation>No reduction can go below %1 columns: at most 1 more could be saved</translation>
    </message>
    <message>
        <source>Ninguna reducción puede bajar de %1 columnas: como mucho se ahorrarían %2 más</source>
        <translation>No reduction can go below %1 columns: at most %2 more could be saved</translation>
    </message>
    <message>
        <source>Tamaño de la reducción</source>
        <translation>Size of the reduction</translation>
    </message>
    <message>
        <source>Cuánto podría ahorrarse aún</source>
        <translation>How much could still be saved</translation>
    </message>
    <message>
        <source>Reducir elige las mejores columnas que paga el presupuesto, en vez de cubrir todo el desarrollo</source>
        <translation>Reduce chooses the best columns the budget pays for, instead of covering the whole development</translation>
    </message>
    <message>
        <source>Cuantía del presupuesto</source>
        <translation>Budget amount</translation>
    </message>
    <message>
        <source>Unidad del presupuesto</source>
        <translation>Budget unit</translation>
    </message>
    <message>
        <source>columnas</source>
        <translation>columns</translation>
    </message>
    <message>
        <source>€</source>
        <translation>€</translation>
    </message>
    <message>
        <source>Para qué se eligen las columnas</source>
        <translation>What the columns are chosen for</translation>
    </message>
    <message>
        <source>Lo que paga el presupuesto</source>
        <translation>What the budget pays for</translation>
    </message>
    <message>
        <source>Elegidas: %1 columnas</source>
        <translation>Chosen: %1 columns</translation>
    </message>
    <message>
        <source>La mejor posible con %1 columnas</source>
        <translation>The best possible with %1 columns</translation>
    </message>
    <message>
        <source>Cuesta %1</source>
        <translation>Costs %1</translation>
    </message>
    <message>
        <source>Cuestan %1</source>
        <translation>Cost %1</translation>
    </message>
    <message>
        <source>No da para ninguna columna</source>
        <translation>Buys no column</translation>
    </message>
    <message>
        <source>Da para 1 columna</source>
        <translation>Buys 1 column</translation>
    </message>
    <message>
        <source>Da para %1 columnas</source>
        <translation>Buys %1 columns</translation>
    </message>
    <message>
        <source>Pre&amp;supuesto:</source>
        <translation>Bu&amp;dget:</translation>
    </message>
    <message>
        <source>Eleg&amp;ir por:</source>
        <translation>Ma&amp;ximise:</translation>
    </message>
    <message>
        <source>col.</source>
        <translation>col.</translation>
    </message>
    <message>
        <source>euros</source>
        <translation>euros</translation>
    </message>
    <message>
        <source>probabilidad</source>
        <translation>chance</translation>
    </message>
    <message>
        <source>ganancia</source>
        <translation>winnings</translation>
    </message>
    <message>
        <source>La mayor probabilidad de que alguna columna tenga los aciertos de la garantía</source>
        <translation>The most chance that some column has the guarantee&apos;s signs right</translation>
    </message>
    <message>
        <source>La mayor ganancia esperada, con los porcentajes del público</source>
        <translation>The most expected winnings, by the public&apos;s percentages</translation>
    </message>
</context>
<context>
    <name>TWeekPanel</name>
    <message>
        <source>Recaudación de la jornada</source>
        <translation>The week&apos;s takings</translation>
    </message>
    <message>
        <source>Bote</source>
        <translation>Jackpot</translation>
    </message>
    <message>
        <source>B&amp;ote:</source>
        <translation>&amp;Jackpot:</translation>
    </message>
    <message>
        <source>Recau&amp;dación:</source>
        <translation>Ta&amp;kings:</translation>
    </message>
</context>
</TS>
