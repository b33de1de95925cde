! The three boundary element DLLs for a Fortran caller on 32-bit Windows (gfortran of
! MinGW-w64). Each DLL exports one function under its decorated standard-call name:
!   bemfull.dll  _kelvin3d@44    bemdeep.dll  _mindlin3d@44    bemsurf.dll  _boussinesq_cerruti3d@44
! standard calling convention: eleven addresses, the callee removes the 44 bytes. Arguments
! and arrays as in bem_interface.f90 (all by reference, Fortran order).
!
! bem_load(dll, name) loads a DLL and returns its entry point found by the decorated name, as
! a procedure pointer of interface bem_entry; it is disassociated when either is not found.
! A compiler with its own spelling of the convention (STDCALL, REFERENCE) binds the same way.
module bem_interface_win32
  use, intrinsic :: iso_c_binding, only: c_int, c_double, c_char, c_ptr, c_funptr, &
      c_null_char, c_associated, c_f_procpointer
  implicit none
  private
  public :: bem_entry, bem_load

  abstract interface
    subroutine bem_entry(opcao, ncont, npint, nelem, fator, emod, pois, coord, tipo, inc, rigidez) bind(C)
      import :: c_int, c_double
      integer(c_int), intent(in) :: opcao, ncont, npint, nelem
      real(c_double), intent(inout) :: fator
      real(c_double), intent(in) :: emod, pois
      real(c_double), intent(in) :: coord(*)
      integer(c_int), intent(in) :: tipo(*), inc(*)
      real(c_double), intent(inout) :: rigidez(*)
    end subroutine bem_entry
  end interface
!GCC$ ATTRIBUTES STDCALL :: bem_entry

  interface
    function LoadLibraryA(name) bind(C, name='LoadLibraryA')
      import :: c_char, c_ptr
!GCC$ ATTRIBUTES STDCALL :: LoadLibraryA
      character(kind=c_char), intent(in) :: name(*)
      type(c_ptr) :: LoadLibraryA
    end function LoadLibraryA

    function GetProcAddress(module, name) bind(C, name='GetProcAddress')
      import :: c_char, c_ptr, c_funptr
!GCC$ ATTRIBUTES STDCALL :: GetProcAddress
      type(c_ptr), value :: module
      character(kind=c_char), intent(in) :: name(*)
      type(c_funptr) :: GetProcAddress
    end function GetProcAddress
  end interface

contains

  function bem_load(dll, name) result(entry)
    character(len=*), intent(in) :: dll   ! e.g. 'bemfull.dll'
    character(len=*), intent(in) :: name  ! the decorated name, e.g. '_kelvin3d@44'
    procedure(bem_entry), pointer :: entry
    type(c_ptr) :: module
    type(c_funptr) :: address

    entry => null()
    module = LoadLibraryA(trim(dll) // c_null_char)
    if (.not. c_associated(module)) return
    address = GetProcAddress(module, trim(name) // c_null_char)
    if (.not. c_associated(address)) return
    call c_f_procpointer(address, entry)
  end function bem_load

end module bem_interface_win32
