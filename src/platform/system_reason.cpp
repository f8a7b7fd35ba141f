#include "platform/system_reason.h"

#include <errno.h>
#include <string.h>

const char* systemReason(int errnum) {
  switch (errnum) {
    case ENOENT:
      return "no existe";
    case EACCES:
    case EPERM:
      return "permiso denegado";
    case EISDIR:
      return "es una carpeta";
    case ENOTDIR:
      return "una parte de la ruta no es una carpeta";
    case ENOSPC:
      return "no queda espacio en el disco";
    case EFBIG:
      return "el fichero ha llegado al tamano maximo permitido";
    case EROFS:
      return "el disco es de solo lectura";
    case ENAMETOOLONG:
      return "el nombre es demasiado largo";
    case EIO:
      return "error de lectura o escritura en el disco";
    case EBUSY:
      return "lo tiene abierto otro programa";
    default:
      return strerror(errnum);
  }
}
