! The Fortran caller on 32-bit Windows: loads each DLL and finds its entry point by the
! decorated name (bem_interface_win32), then calls it with the arrays in Fortran order.
! The DLLs are looked for in the folder given by the environment variable BEM_DLL_DIR.
program fortran_caller_win32
  use case_runner, only: run_cases
  implicit none

  call run_cases(call_library)

contains

  logical function call_library(library, opcao, ncont, npint, nelem, fator, emod, pois, &
      coord, tipo, inc, rigidez) result(found)
    use, intrinsic :: iso_c_binding, only: c_int, c_double
    use bem_interface_win32, only: bem_entry, bem_load
    character(len=*), intent(in) :: library
    integer(c_int), intent(in) :: opcao, ncont, npint, nelem
    real(c_double), intent(inout) :: fator
    real(c_double), intent(in) :: emod, pois
    real(c_double), intent(in) :: coord(ncont + npint, 3)
    integer(c_int), intent(in) :: tipo(ncont + npint), inc(nelem, 3)
    real(c_double), intent(inout) :: rigidez(3 * (ncont + npint), 3 * (ncont + npint))
    procedure(bem_entry), pointer :: entry
    character(len=1024) :: folder
    character(len=32) :: symbol

    select case (library)
    case ('bemfull')
      symbol = '_kelvin3d@44'
    case ('bemdeep')
      symbol = '_mindlin3d@44'
    case ('bemsurf')
      symbol = '_boussinesq_cerruti3d@44'
    case default
      found = .false.
      return
    end select
    call get_environment_variable('BEM_DLL_DIR', folder)
    entry => bem_load(trim(folder) // '\' // library // '.dll', trim(symbol))
    found = associated(entry)
    if (found) call entry(opcao, ncont, npint, nelem, fator, emod, pois, coord, tipo, inc, rigidez)
  end function call_library

end program fortran_caller_win32
