// The backup commands' texts for the user (Windows-1252 in the Windows build).
#ifndef QOR_BACKUP_TEXTOS_COPIA_H
#define QOR_BACKUP_TEXTOS_COPIA_H

inline constexpr const char *kTextoNoInstalado = "El programa no está instalado";
inline constexpr const char *kTextoSinSeleccion = "Seleccione una copia de seguridad de la lista.";
inline constexpr const char *kTextoCopiaFallida =
    "No se pudo crear la copia de seguridad. Verifique que haya espacio libre en el disco y "
    "que se pueda escribir en la carpeta BK.";
inline constexpr const char *kTextoArchivosOmitidos =
    "La copia de seguridad se creó sin estos archivos, que no se pudieron copiar:";
inline constexpr const char *kTextoConfirmaEliminar = "Confirma eliminar la copia de seguridad...?";
inline constexpr const char *kTextoConfirmaRestaurar =
    "Confirma restaurar la copia de seguridad...?";
inline constexpr const char *kTextoCopiaEstadoActual =
    "Se creará una copia del estado actual para que pueda deshacer los cambios.";
inline constexpr const char *kTextoSinCopiaEstadoActual =
    "No se pudo crear la copia completa del estado actual. La copia de seguridad no se restauró.";
inline constexpr const char *kTextoCopiaDanada =
    "La copia de seguridad está dañada o no es válida. No se restauró ningún archivo.";
inline constexpr const char *kTextoCopiaCambiada =
    "La copia de seguridad cambió mientras se restauraba. La restauración quedó incompleta; "
    "la copia del estado actual permite deshacerla.";
inline constexpr const char *kTextoArchivosNoRestaurados =
    "No se pudieron restaurar estos archivos:";
inline constexpr const char *kTextoRestaurando =
    "Restaurando Copia de Seguridad...                                   ";

#endif
